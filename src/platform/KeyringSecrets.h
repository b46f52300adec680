#pragma once

#include "core/SecretStore.h"

// The desktop's keyring through the Secret Service (QtKeychain). A secret that cannot go
// there is not kept at all: it never falls back to a file.
class KeyringSecrets : public SecretStore
{
public:
    QString unavailableReason() override;
    void read(const QString &key, QObject *receiver, std::function<void(const QString &secret)> done) override;
    void write(const QString &key, const QString &secret, QObject *receiver,
               std::function<void(const QString &error)> done) override;
    void remove(const QString &key) override;
};
