#include "XDisplay.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

XDisplay::XDisplay()
{
    // A number of our own, far from the displays desktops and other tools take.
    for (int attempt = 0; attempt < 5 && m_name.isEmpty(); ++attempt) {
        const int number = 200 + int(QRandomGenerator::global()->bounded(700));
        if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
            continue;
        // -noreset: the server would restart, refusing clients, each time its last client leaves.
        m_server.start(QStringLiteral("Xvfb"), {QStringLiteral(":%1").arg(number), QStringLiteral("-noreset"), QStringLiteral("-screen"),
                                                QStringLiteral("0"), QStringLiteral("1280x900x24"),
                                                QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        if (!m_server.waitForStarted(5000))
            return;
        m_name = QStringLiteral(":%1").arg(number);
        if (!waitUntilReady()) {
            stopServer();
            m_name.clear();
        }
    }
}

XDisplay::~XDisplay() { stopServer(); }

// Ready once a client gets an answer from it; a server that lost the race for its
// number has ended by then.
bool XDisplay::waitUntilReady() const
{
    for (int i = 0; i < 100 && m_server.state() == QProcess::Running; ++i) {
        if (!xdotool({QStringLiteral("getdisplaygeometry")}).isEmpty())
            return m_server.state() == QProcess::Running;
        QTest::qWait(100);
    }
    return false;
}

void XDisplay::stopServer()
{
    if (m_server.state() == QProcess::NotRunning)
        return;
    m_server.terminate();
    if (!m_server.waitForFinished(5000))
        m_server.kill();
    m_server.waitForFinished(1000);
}

QProcessEnvironment XDisplay::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_name);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    return environment;
}

QString XDisplay::xdotool(const QStringList &arguments) const
{
    QProcess tool;
    tool.setProcessEnvironment(environment());
    tool.start(QStringLiteral("xdotool"), arguments);
    if (!tool.waitForFinished(10000))
        return QString();
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

QString XDisplay::findWindow(const QString &text) const
{
    return xdotool({QStringLiteral("search"), QStringLiteral("--name"), text}).section(QLatin1Char('\n'), 0, 0);
}
