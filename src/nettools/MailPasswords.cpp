#include "MailPasswords.h"

#include "core/Prompts.h"
#include "core/SecretStore.h"

#include <QWidget>

MailPasswords::MailPasswords(SecretStore *secrets, Prompts &prompts, QWidget *owner,
                             std::function<void(const QString &)> note)
    : QObject(owner), m_secrets(secrets), m_prompts(prompts), m_owner(owner), m_note(std::move(note))
{
}

QString MailPasswords::key(const QString &account, const QString &server)
{
    return account + QStringLiteral(" (SMTP ") + server + QLatin1Char(')');
}

void MailPasswords::get(const QString &account, const QString &server, std::function<void(const QString &)> done)
{
    const QString name = key(account, server);
    if (const auto known = m_known.constFind(name); known != m_known.constEnd())
        return done(*known);
    if (!m_secrets || !m_secrets->unavailableReason().isEmpty())
        return ask(account, server, done);
    m_secrets->read(name, this, [this, account, server, name, done](const QString &kept) {
        if (kept.isNull())
            return ask(account, server, done);
        m_known.insert(name, kept);
        done(kept);
    });
}

void MailPasswords::ask(const QString &account, const QString &server, const std::function<void(const QString &)> &done)
{
    const QString noKeyring = m_secrets ? m_secrets->unavailableReason() : QStringLiteral("没有可用的密钥环");
    QString password;
    bool remember = false;
    const QString text = QStringLiteral("请输入 %1 在邮件服务器 %2 的密码（有的邮箱要用它给的授权码）：").arg(account, server);
    if (!m_prompts.password(m_owner->window(), text, password, remember, noKeyring))
        return done(QString());
    const QString name = key(account, server);
    m_known.insert(name, password);
    if (remember && noKeyring.isEmpty()) {
        m_secrets->write(name, password, this, [this](const QString &error) {
            if (!error.isEmpty())
                m_note(QStringLiteral("密码没有存入密钥环：") + error);
        });
    }
    done(password);
}

void MailPasswords::forget(const QString &account, const QString &server)
{
    const QString name = key(account, server);
    m_known.remove(name);
    if (m_secrets)
        m_secrets->remove(name);
}
