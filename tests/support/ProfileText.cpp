#include "ProfileText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

bool writeProfileLines(const QString &path, const QStringList &lines)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QStringEncoder gb18030("GB18030");
    const QByteArray bytes = gb18030.encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    return file.write(bytes) == bytes.size();
}
