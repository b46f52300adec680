#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// A polite request to end the program (SIGTERM from a logout or `kill`, SIGINT from
// Ctrl+C in a terminal, SIGHUP) runs end from the event loop instead of ending the
// process where it stands, so that it ends as a close by the user does.
class EndRequests : public QObject
{
    Q_OBJECT
public:
    explicit EndRequests(std::function<void()> end, QObject *parent = nullptr);
    ~EndRequests() override;

private:
    std::function<void()> m_end;
    QSocketNotifier *m_notifier = nullptr;
};
