#pragma once

#include <QObject>

// A program started by ProcessLauncher::start: we learn when it ends, can end it,
// and read what it wrote; it does not outlive us.
class StartedProcess : public QObject
{
    Q_OBJECT
public:
    // Kept of what a program writes; the rest is dropped, so a runaway one cannot fill memory.
    static constexpr qsizetype OutputLimit = 1024 * 1024;

    using QObject::QObject;

    virtual bool running() const = 0;
    // Ends the program; finished follows.
    virtual void end() = 0;
    // Its standard output and error as written so far, merged, at most OutputLimit bytes.
    virtual QByteArray output() const = 0;

signals:
    // The program ended, or could not be started after all; all it wrote is in output by now.
    void finished();
};
