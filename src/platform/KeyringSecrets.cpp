#include "KeyringSecrets.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <qt6keychain/keychain.h>

namespace {

const QString Service = QStringLiteral("Vantorel");
const QString SecretsName = QStringLiteral("org.freedesktop.secrets");

// Without a parent: a job deleted while the keyring still answers would be called back
// after its end, so each job ends itself once finished.
template<typename Job>
Job *startable(const QString &key)
{
    auto *job = new Job(Service);
    job->setAutoDelete(true);
    job->setInsecureFallback(false);
    job->setKey(key);
    return job;
}

} // namespace

QString KeyringSecrets::unavailableReason()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return QStringLiteral("没有桌面会话总线（D-Bus），无法使用密钥环");
    const QDBusConnectionInterface *names = bus.interface();
    if (names && (names->isServiceRegistered(SecretsName).value()
                  || names->activatableServiceNames().value().contains(SecretsName)))
        return {};
    return QStringLiteral("没有正在运行的密钥环服务（Secret Service），无法记住密码");
}

void KeyringSecrets::read(const QString &key, QObject *receiver, std::function<void(const QString &)> done)
{
    auto *job = startable<QKeychain::ReadPasswordJob>(key);
    QObject::connect(job, &QKeychain::Job::finished, receiver, [job, done = std::move(done)] {
        done(job->error() == QKeychain::NoError ? job->textData() : QString());
    });
    job->start();
}

void KeyringSecrets::write(const QString &key, const QString &secret, QObject *receiver,
                           std::function<void(const QString &)> done)
{
    auto *job = startable<QKeychain::WritePasswordJob>(key);
    job->setTextData(secret);
    QObject::connect(job, &QKeychain::Job::finished, receiver, [job, done = std::move(done)] {
        if (job->error() == QKeychain::NoError)
            done(QString());
        else
            done(job->errorString().isEmpty() ? QStringLiteral("密钥环没能保存密码") : job->errorString());
    });
    job->start();
}

void KeyringSecrets::remove(const QString &key)
{
    startable<QKeychain::DeletePasswordJob>(key)->start();
}
