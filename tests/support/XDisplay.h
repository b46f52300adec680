#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// A private X server (Xvfb) for tests that drive a program with real key
// presses, and xdotool to send them.
class XDisplay
{
public:
    XDisplay();
    ~XDisplay();

    bool isRunning() const { return !m_name.isEmpty(); }
    QString name() const { return m_name; } // such as ":12"
    QProcessEnvironment environment() const;
    // Runs xdotool with arguments on this display; its standard output, trimmed.
    QString xdotool(const QStringList &arguments) const;
    // The first window whose title contains text, or the empty text.
    QString findWindow(const QString &text) const;

private:
    bool waitUntilReady() const;
    void stopServer();

    QProcess m_server;
    QString m_name;
};
