#pragma once

#include <QObject>
#include <QString>

#include <chrono>
#include <functional>

class QLocalServer;

// One running program per user and profile: a later start hands its address to the copy
// that runs, over a local socket only the user can reach, and ends.
class RunningCopy : public QObject
{
    Q_OBJECT
public:
    // name: the socket's file in the user's runtime folder (see nameFor).
    explicit RunningCopy(const QString &name, QObject *parent = nullptr);
    ~RunningCopy() override;

    // One name per profile folder, so that runs on different profiles do not meet.
    static QString nameFor(const QString &profileFolder);
    QString socketPath() const { return m_path; }

    enum class Outcome {
        HandedOver, // the copy that runs took the address: this start ends
        Reachable,  // none runs (a socket nobody listens on was taken over): later starts reach this one
        Silent,     // a copy runs but did not take it in time
    };
    // Hands address (empty: a new window on the home page) to the copy that runs,
    // waiting at most timeout for it.
    Outcome handOver(const QString &address, std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // Later starts' addresses go to open from now on; until then they wait.
    void serve(const std::function<void(const QString &address)> &open);

private:
    Outcome send(const QString &address, std::chrono::milliseconds timeout) const;
    void listen();
    void answer();

    QString m_path;
    QLocalServer *m_server;
    std::function<void(const QString &)> m_open;
};
