#include "SandboxCheck.h"

#include <QMessageBox>

#include <cstdio>
#include <unistd.h>

namespace SandboxCheck {

QString refusal(bool root, const QProcessEnvironment &environment, const QStringList &arguments)
{
    const QString noSandbox = QStringLiteral("--no-sandbox");
    if (!root || environment.contains(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"))
        || environment.value(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS")).split(u' ').contains(noSandbox)
        || arguments.contains(noSandbox))
        return QString();
    return QStringLiteral("Vantorel 无法以 root 身份运行：网页引擎在 root 下不能启用它的沙盒，因而拒绝启动。\n"
                          "请以普通用户运行 Vantorel，或用 run.sh 启动（它在 root 下为这一次运行关闭沙盒）。");
}

bool engineCanStart(const QStringList &arguments)
{
    const QString why = refusal(geteuid() == 0, QProcessEnvironment::systemEnvironment(), arguments);
    if (why.isEmpty())
        return true;
    std::fprintf(stderr, "%s\n", why.toLocal8Bit().constData());
    std::fflush(stderr);
    QMessageBox::critical(nullptr, QStringLiteral("Vantorel II"), why);
    return false;
}

} // namespace SandboxCheck
