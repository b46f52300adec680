#pragma once

#include <QWidget>

class Prompts;
class QVBoxLayout;
class QWebEngineDownloadRequest;

// Asks where each download goes and lists them with their progress.
class DownloadManager : public QWidget
{
    Q_OBJECT
public:
    explicit DownloadManager(Prompts &prompts, QWidget *parent = nullptr);
    void downloadRequested(QWebEngineDownloadRequest *download);
    int count() const;
    int running() const;

private:
    static QString startFolder(const QString &folder);

    Prompts &m_prompts;
    QVBoxLayout *m_rows;
};
