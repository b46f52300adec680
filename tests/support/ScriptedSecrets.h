#pragma once

#include "core/SecretStore.h"

#include <QHash>
#include <QPointer>

// A keyring in memory. Its answers come from the event loop, as a real keyring's do.
class ScriptedSecrets : public SecretStore
{
public:
    QHash<QString, QString> kept;
    QString unavailable; // when set, nothing can be kept and this says why
    int reads = 0;

    QString unavailableReason() override { return unavailable; }
    void read(const QString &key, QObject *receiver, std::function<void(const QString &)> done) override
    {
        ++reads;
        later(receiver, [this, key, done] { done(unavailable.isEmpty() ? kept.value(key) : QString()); });
    }
    void write(const QString &key, const QString &secret, QObject *receiver,
               std::function<void(const QString &)> done) override
    {
        if (unavailable.isEmpty())
            kept.insert(key, secret);
        later(receiver, [this, done] { done(unavailable); });
    }
    void remove(const QString &key) override { kept.remove(key); }

private:
    static void later(QObject *receiver, std::function<void()> call)
    {
        QMetaObject::invokeMethod(receiver, std::move(call), Qt::QueuedConnection);
    }
};
