#pragma once

#include <QObject>

#include <functional>
#include <queue>

class QTimer;

// Runs steps one after another from the event loop, each when the loop has nothing
// else to do, so that work already under way (the first page's load, which needs
// the main thread between waits on its helper processes) is not held up behind
// them. A step also runs when the loop has not been idle for a while, so a busy
// loop never keeps them back for long.
class IdleSteps : public QObject
{
    Q_OBJECT
public:
    static constexpr int LongestWaitMs = 50;

    explicit IdleSteps(QObject *parent = nullptr);
    ~IdleSteps() override;

    void add(std::function<void()> step);

private:
    void schedule();
    void runNext();
    void dropIdleSource();

    std::queue<std::function<void()>> m_steps;
    QTimer *m_deadline;
    unsigned m_idleSource = 0;
    bool m_running = false;
};
