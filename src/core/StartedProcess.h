#pragma once

#include <QObject>

// A program started by ProcessLauncher::start: we learn when it ends and can end it,
// and it does not outlive us.
class StartedProcess : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    virtual bool running() const = 0;
    // Ends the program; finished follows.
    virtual void end() = 0;

signals:
    // The program ended, or could not be started after all.
    void finished();
};
