#pragma once

#include <QWidget>

class Prompts;
class QLabel;
class QVBoxLayout;
class QWebEngineDownloadRequest;

// Asks where each download goes and lists them with their progress, in a tool
// window that belongs to the main window it was shown for.
class DownloadManager : public QWidget
{
    Q_OBJECT
public:
    explicit DownloadManager(Prompts &prompts, QWidget *parent = nullptr);
    void downloadRequested(QWebEngineDownloadRequest *download);
    // Shows the list beside near's window (where it is, when already shown), raised and active;
    // where it must cover the window, it hides as little of near as it can.
    void showBeside(QWidget *near);
    int count() const;
    int running() const;

private:
    void appear(QWidget *near);
    void placeBeside(const QWidget *owner, const QWidget *page);
    void moveTo(const QRect &place, QSize frame = {});
    static QString startFolder(const QString &folder);

    Prompts &m_prompts;
    QVBoxLayout *m_rows;
    QLabel *m_empty;
};
