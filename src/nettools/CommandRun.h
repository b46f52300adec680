#pragma once

#include <QObject>
#include <QTemporaryFile>

#include <chrono>

class ProcessLauncher;
class StartedProcess;

// One run of a network command: an output file of its own, private to the user,
// and the program writing into it. No two runs share a file, and the file goes
// with the run.
class CommandRun : public QObject
{
    Q_OBJECT
public:
    // What collecting gives when the output file is gone.
    static inline const QString NoOutput = QStringLiteral("命令没有产生输出");

    // Makes the output file and starts command (the program, then its arguments);
    // null, with error, when either fails.
    static CommandRun *start(ProcessLauncher &launcher, const QStringList &command, QObject *parent,
                             QString *error);
    // The folder of the output files, made private to the user when needed; empty,
    // with error, when it cannot be.
    static QString folder(QString *error);

    QString outputFile() const { return m_file.fileName(); }
    // Ends the program when it still runs, then reads what it wrote: collected follows.
    // A file gone missing is looked for again for a few seconds.
    void collect();
    // Ends the program and goes, file and all, without reading.
    void abandon();

signals:
    void collected(const QString &output);

private:
    explicit CommandRun(QObject *parent);
    void read();

    QTemporaryFile m_file;
    StartedProcess *m_process = nullptr;
    std::chrono::steady_clock::time_point m_giveUp;
};
