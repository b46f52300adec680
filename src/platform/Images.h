#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// Pictures shipped in the images folder beside the program, looked up by key.
namespace Images {

QIcon icon(const QString &programFolder, const QString &key);
QPixmap pixmap(const QString &programFolder, const QString &key, QSize size);

} // namespace Images
