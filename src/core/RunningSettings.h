#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class SettingsStore;
struct SettingKey;

// The settings the program keeps while it runs: read once at start-up, changed by
// the options dialog (each change written through the settings store first), and
// followed by whoever uses them through the signals.
class RunningSettings : public QObject
{
    Q_OBJECT
public:
    explicit RunningSettings(SettingsStore &store, QObject *parent = nullptr);

    // Reads every value from the store; signals nothing.
    void load();

    QString SmtpServer() const { return m_smtpServer; }
    QString UserName() const { return m_userName; }
    QString MyEmail() const { return m_myEmail; }
    double PingTime() const { return m_pingTime; }
    double NetStatTime() const { return m_netStatTime; }
    QString Homepage() const { return m_homepage; }
    // The favourites folder the bookmark manager exports to.
    QString IEFavorites() const { return m_ieFavorites; }
    // 1: a single click on a bookmark opens it.
    qint32 ClickBookmark() const { return m_clickBookmark; }

    // Each stores the text as given; the waits hold the number the text starts with
    // (none gives 0), the click mode that number rounded. False when the store could
    // not be written: error (when given) then names the file and the reason, and the
    // value held and heard stays as it was.
    bool setSmtpServer(const QString &value, QString *error = nullptr);
    bool setUserName(const QString &value, QString *error = nullptr);
    bool setMyEmail(const QString &value, QString *error = nullptr);
    bool setPingTime(const QString &text, QString *error = nullptr);
    bool setNetStatTime(const QString &text, QString *error = nullptr);
    bool setHomepage(const QString &value, QString *error = nullptr);
    bool setIEFavorites(const QString &value, QString *error = nullptr);
    bool setClickBookmark(const QString &text, QString *error = nullptr);

    // The sets and saves of changes written in one go; the values held change, and are
    // heard, only once it is written. False, with the error, when it could not be.
    bool transaction(const std::function<void()> &changes, QString *error = nullptr);

    SettingsStore &store() const { return m_store; }

signals:
    void SmtpServerChanged(const QString &value);
    void UserNameChanged(const QString &value);
    void MyEmailChanged(const QString &value);
    void PingTimeChanged(double milliseconds);
    void NetStatTimeChanged(double milliseconds);
    void HomepageChanged(const QString &value);
    void IEFavoritesChanged(const QString &value);
    void ClickBookmarkChanged(qint32 mode);

private:
    template<typename Value, typename Signal>
    bool change(const SettingKey &key, const QString &text, Value &field, Value value, Signal changed,
                QString *error);

    SettingsStore &m_store;
    bool m_inTransaction = false;
    QList<std::function<void()>> m_held; // what a transaction changes once written
    QString m_smtpServer;
    QString m_userName;
    QString m_myEmail;
    double m_pingTime = 5000;
    double m_netStatTime = 10000;
    QString m_homepage;
    QString m_ieFavorites;
    qint32 m_clickBookmark = 0;
};
