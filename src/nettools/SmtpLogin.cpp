#include "SmtpLogin.h"

namespace {

const QByteArray GiveUp = QByteArrayLiteral("*");

QByteArray plain(const SmtpLogin::Credentials &credentials, int n, const QByteArray &)
{
    return n == 0 ? "AUTH PLAIN " + ('\0' + credentials.user + '\0' + credentials.password).toBase64() : GiveUp;
}

QByteArray login(const SmtpLogin::Credentials &credentials, int n, const QByteArray &)
{
    switch (n) {
    case 0:
        return QByteArrayLiteral("AUTH LOGIN");
    case 1:
        return credentials.user.toBase64();
    case 2:
        return credentials.password.toBase64();
    default:
        return GiveUp;
    }
}

} // namespace

const QList<SmtpLogin> &SmtpLogin::mechanisms()
{
    static const QList<SmtpLogin> known{{"PLAIN", plain}, {"LOGIN", login}};
    return known;
}

const SmtpLogin *SmtpLogin::choose(const QStringList &offered)
{
    for (const SmtpLogin &mechanism : mechanisms())
        if (offered.contains(QString::fromLatin1(mechanism.name)))
            return &mechanism;
    return nullptr;
}
