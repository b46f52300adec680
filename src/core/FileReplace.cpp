#include "FileReplace.h"

#include <QSaveFile>

bool replaceFile(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    // Unbuffered, so a write that stops part way (a full disk) shows in its count:
    // QSaveFile commits a buffered one whose flush failed, and the file is left cut short.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        if (error)
            *error = file.error() == QFileDevice::NoError ? QStringLiteral("磁盘空间不足，只写入了一部分")
                                                          : file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
