#include "TestCertificates.h"

#include <QFile>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>

TestCertificates::TestCertificates()
{
    openssl({"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=Vantorel test CA", "-keyout",
             m_dir.filePath("ca.key"), "-out", authority()});
}

bool TestCertificates::issue(const QString &name)
{
    const QString request = m_dir.filePath(name + ".csr"), extensions = m_dir.filePath(name + ".ext");
    QFile ext(extensions);
    if (!ext.open(QIODevice::WriteOnly) || ext.write("subjectAltName=DNS:" + name.toLatin1() + ",IP:127.0.0.1\n") < 0)
        return false;
    ext.close();
    return openssl({"req", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=" + name, "-keyout", key(name), "-out", request})
        && openssl({"x509", "-req", "-days", "2", "-in", request, "-CA", authority(), "-CAkey", m_dir.filePath("ca.key"),
                    "-CAcreateserial", "-extfile", extensions, "-out", certificate(name)});
}

void TestCertificates::trust() const
{
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.addCaCertificates(authority());
    QSslConfiguration::setDefaultConfiguration(configuration);
}

bool TestCertificates::openssl(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("openssl"), arguments);
    if (process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return true;
    m_failure = QStringLiteral("openssl %1 failed: %2 %3")
                    .arg(arguments.first(), process.errorString(), QString::fromLocal8Bit(process.readAllStandardError()));
    return false;
}
