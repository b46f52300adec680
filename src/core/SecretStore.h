#pragma once

#include <QObject>
#include <QString>

#include <functional>

// Where the desktop keeps secrets (the user's keyring). Calls are asynchronous: the
// keyring may ask the user to unlock it. A callback is dropped when receiver is gone.
class SecretStore
{
public:
    virtual ~SecretStore() = default;

    // Why secrets cannot be kept here now, or an empty text when they can.
    virtual QString unavailableReason() = 0;
    // done gets the secret kept under key, or a null text when none is (or none can be read).
    virtual void read(const QString &key, QObject *receiver, std::function<void(const QString &secret)> done) = 0;
    // done gets an empty text once the secret is kept, or why it could not be.
    virtual void write(const QString &key, const QString &secret, QObject *receiver,
                       std::function<void(const QString &error)> done) = 0;
    // Forgets what is kept under key; nothing kept is no error.
    virtual void remove(const QString &key) = 0;
};
