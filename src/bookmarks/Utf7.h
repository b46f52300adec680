#pragma once

#include <QString>
#include <QStringView>

// UTF-7 as Windows writes the values of an Internet shortcut's wide section:
// ASCII stays as it is, other text is base64 of its UTF-16 code units between
// '+' and '-', and "+-" stands for '+'.
namespace Utf7 {

QString decode(QStringView text);
QString encode(QStringView text);

} // namespace Utf7
