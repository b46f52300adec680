#include "RunningCopy.h"

#include "core/Logging.h"

#include <QCryptographicHash>
#include <QDir>
#include <QEventLoop>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QTimer>

namespace {

constexpr qint64 LongestRequest = 64 * 1024;
const QByteArray Taken = QByteArrayLiteral("ok\n");

} // namespace

RunningCopy::RunningCopy(const QString &name, QObject *parent)
    : QObject(parent), m_path(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + u'/' + name),
      m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
}

RunningCopy::~RunningCopy() = default;

QString RunningCopy::nameFor(const QString &profileFolder)
{
    const QByteArray hash = QCryptographicHash::hash(QDir::cleanPath(profileFolder).toUtf8(), QCryptographicHash::Sha256);
    return QStringLiteral("vantorel-") + QString::fromLatin1(hash.toHex().left(16));
}

// Under a lock, so that two copies started together do not both take the socket.
RunningCopy::Outcome RunningCopy::handOver(const QString &address, std::chrono::milliseconds timeout)
{
    QLockFile lock(m_path + QStringLiteral(".lock"));
    if (!lock.tryLock(int(timeout.count())))
        qCWarning(lcPlatform) << "no lock on" << lock.fileName() << "- starting without looking for another copy";
    const Outcome outcome = send(address, timeout);
    if (outcome == Outcome::Reachable)
        listen();
    return outcome;
}

// The copy that runs answers "ok" once its window is open.
RunningCopy::Outcome RunningCopy::send(const QString &address, std::chrono::milliseconds timeout) const
{
    QLocalSocket socket;
    QEventLoop loop;
    bool reached = false, taken = false;
    connect(&socket, &QLocalSocket::connected, &loop, [&] {
        reached = true;
        socket.write(address.toUtf8() + '\n');
    });
    connect(&socket, &QLocalSocket::readyRead, &loop, [&] {
        if (socket.canReadLine()) {
            taken = socket.readLine() == Taken;
            loop.quit();
        }
    });
    connect(&socket, &QLocalSocket::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
    socket.connectToServer(m_path);
    if (socket.state() != QLocalSocket::UnconnectedState)
        loop.exec();
    return taken ? Outcome::HandedOver : reached ? Outcome::Silent : Outcome::Reachable;
}

void RunningCopy::listen()
{
    // What is left is a socket whose copy is gone: a crash or a kill left it behind.
    QLocalServer::removeServer(m_path);
    if (!m_server->listen(m_path))
        qCWarning(lcPlatform) << "cannot listen on" << m_path << m_server->errorString();
}

void RunningCopy::serve(const std::function<void(const QString &address)> &open)
{
    m_open = open;
    connect(m_server, &QLocalServer::newConnection, this, &RunningCopy::answer, Qt::UniqueConnection);
    answer();
}

void RunningCopy::answer()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto read = [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > LongestRequest)
                    socket->abort();
                return;
            }
            // Answered first: the start that asked need not wait for the window.
            const QString address = QString::fromUtf8(socket->readLine()).chopped(1);
            socket->write(Taken);
            socket->flush();
            socket->disconnectFromServer();
            m_open(address);
        };
        connect(socket, &QLocalSocket::readyRead, this, read);
        read(); // what came while the start-up went on
    }
}
