#pragma once

#include <QPointer>
#include <QWebEngineDownloadRequest>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

// One row of the download list: name, progress, state, cancel.
class DownloadWidget : public QWidget
{
    Q_OBJECT
public:
    explicit DownloadWidget(QWebEngineDownloadRequest *download, QWidget *parent = nullptr);
    QString stateText() const;
    bool isRunning() const;

private:
    void update();

    QPointer<QWebEngineDownloadRequest> m_download;
    QLabel *m_name;
    QProgressBar *m_progress;
    QLabel *m_state;
    QPushButton *m_cancel;
};
