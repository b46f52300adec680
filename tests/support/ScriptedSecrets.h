#pragma once

#include "core/SecretStore.h"

#include <QHash>
#include <QTimer>

// A keyring in memory; it answers from the event loop, as a real one does.
class ScriptedSecrets : public SecretStore
{
public:
    QHash<QString, QString> kept;
    QString unavailable; // when set, nothing is kept and this says why

    QString unavailableReason() override { return unavailable; }
    void read(const QString &key, QObject *receiver, std::function<void(const QString &)> done) override
    {
        QTimer::singleShot(0, receiver, [this, key, done] { done(unavailable.isEmpty() ? kept.value(key) : QString()); });
    }
    void write(const QString &key, const QString &secret, QObject *receiver, std::function<void(const QString &)> done) override
    {
        if (unavailable.isEmpty())
            kept.insert(key, secret);
        QTimer::singleShot(0, receiver, [this, done] { done(unavailable); });
    }
    void remove(const QString &key) override { kept.remove(key); }
};
