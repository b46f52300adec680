#pragma once

#include <QString>
#include <QTemporaryDir>

// A certificate authority of the test's own, made by openssl, and server certificates it signs.
class TestCertificates
{
public:
    TestCertificates();
    // Why the authority could not be made, or an empty text.
    QString failure() const { return m_failure; }
    QString authority() const { return m_dir.filePath(QStringLiteral("ca.pem")); }
    // Makes name.pem and name.key for a server called name (and 127.0.0.1); false on failure.
    bool issue(const QString &name);
    QString certificate(const QString &name) const { return m_dir.filePath(name + QStringLiteral(".pem")); }
    QString key(const QString &name) const { return m_dir.filePath(name + QStringLiteral(".key")); }
    // Lets this process's TLS connections trust the authority, as the system's store would.
    void trust() const;

private:
    bool openssl(const QStringList &arguments);

    QTemporaryDir m_dir;
    QString m_failure;
};
