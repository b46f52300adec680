#pragma once

#include <QObject>

class ProcessLauncher;
class StartedProcess;

// One run of a network command: the program and what it writes, taken through a
// pipe. No file is made, so none can be swapped for a link to another.
class CommandRun : public QObject
{
    Q_OBJECT
public:
    // Starts command (the program, then its arguments); null, with error, when it cannot.
    static CommandRun *start(ProcessLauncher &launcher, const QStringList &command, QObject *parent,
                             QString *error);

    // Ends the program when it still runs, then gives what it wrote: collected follows.
    void collect();
    // Ends the program and goes without reading.
    void abandon();

signals:
    void collected(const QString &output);

private:
    CommandRun(StartedProcess *process, QObject *parent);
    void read();

    StartedProcess *m_process;
};
