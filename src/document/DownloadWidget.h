#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;
class QWebEngineDownloadRequest;

// One row of the download list: name, progress, state, cancel.
class DownloadWidget : public QWidget
{
    Q_OBJECT
public:
    explicit DownloadWidget(QWebEngineDownloadRequest *download, QWidget *parent = nullptr);
    QString stateText() const;

private:
    void update();

    QWebEngineDownloadRequest *m_download;
    QLabel *m_name;
    QProgressBar *m_progress;
    QLabel *m_state;
    QPushButton *m_cancel;
};
