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
    QStringEncoder gbk("GBK");
    const QByteArray bytes = gbk.encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    return file.write(bytes) == bytes.size();
}
