#include "DesktopLauncher.h"

#include "core/FileReplace.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace DesktopLauncher {

QString desktopFolder()
{
    // Qt reads user-dirs.dirs as xdg-user-dir does, and falls back to ~/Desktop.
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

QString execField(const QString &program)
{
    // Inside the quotes ", `, $ and \ take a backslash; then the value's own
    // escaping doubles every backslash once more.
    QString quoted;
    for (const QChar c : program) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    quoted.replace(u'\\', QStringLiteral("\\\\"));
    // A percent sign would start a field code.
    quoted.replace(u'%', QStringLiteral("%%"));
    return u'"' + quoted + u'"';
}

QString write(const QString &folder, const QString &program, const QString &icon, QString *error)
{
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("无法建立文件夹 %1").arg(folder);
        return QString();
    }
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Vantorel II\n"
                                        "Comment=多窗口网页浏览器\n"
                                        "Exec=%1\n"
                                        "Icon=%2\n"
                                        "Terminal=false\n"
                                        "Categories=Network;WebBrowser;\n")
                             .arg(execField(program), icon);
    const QString path = QDir(folder).filePath(QStringLiteral("Vantorel II.desktop"));
    if (!replaceFile(path, text.toUtf8(), error))
        return QString();
    QFile file(path);
    if (!file.setPermissions(file.permissions() | QFile::ExeOwner | QFile::ExeUser)) {
        *error = file.errorString();
        return QString();
    }
    return path;
}

} // namespace DesktopLauncher
