#include "DownloadWidget.h"

#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QWebEngineDownloadRequest>

DownloadWidget::DownloadWidget(QWebEngineDownloadRequest *download, QWidget *parent)
    : QWidget(parent), m_download(download), m_name(new QLabel), m_progress(new QProgressBar), m_state(new QLabel),
      m_cancel(new QPushButton(QStringLiteral("取消")))
{
    m_name->setText(QDir(download->downloadDirectory()).filePath(download->downloadFileName()));
    m_state->setObjectName(QStringLiteral("downloadState"));
    auto *grid = new QGridLayout(this);
    grid->addWidget(m_name, 0, 0, 1, 2);
    grid->addWidget(m_progress, 1, 0);
    grid->addWidget(m_cancel, 1, 1);
    grid->addWidget(m_state, 2, 0, 1, 2);
    connect(m_cancel, &QPushButton::clicked, download, &QWebEngineDownloadRequest::cancel);
    connect(download, &QWebEngineDownloadRequest::receivedBytesChanged, this, &DownloadWidget::update);
    connect(download, &QWebEngineDownloadRequest::totalBytesChanged, this, &DownloadWidget::update);
    connect(download, &QWebEngineDownloadRequest::stateChanged, this, &DownloadWidget::update);
    update();
}

QString DownloadWidget::stateText() const { return m_state->text(); }

bool DownloadWidget::isRunning() const
{
    return m_download && m_download->state() == QWebEngineDownloadRequest::DownloadInProgress;
}

void DownloadWidget::update()
{
    if (!m_download)
        return;
    const QLocale locale(QLocale::Chinese);
    const qint64 received = m_download->receivedBytes();
    const qint64 total = m_download->totalBytes();
    if (total > 0) {
        m_progress->setRange(0, 100);
        m_progress->setValue(int(received * 100 / total));
    } else {
        m_progress->setRange(0, 0);
    }
    switch (m_download->state()) {
    case QWebEngineDownloadRequest::DownloadRequested:
    case QWebEngineDownloadRequest::DownloadInProgress:
        // The size is shown when the server gave it.
        m_state->setText(total > 0 ? QStringLiteral("已下载 %1 / 共 %2").arg(locale.formattedDataSize(received),
                                                                           locale.formattedDataSize(total))
                                   : QStringLiteral("已下载 %1").arg(locale.formattedDataSize(received)));
        break;
    case QWebEngineDownloadRequest::DownloadCompleted:
        m_progress->setRange(0, 100);
        m_progress->setValue(100);
        m_state->setText(QStringLiteral("完成，共 %1").arg(locale.formattedDataSize(received)));
        m_cancel->setEnabled(false);
        break;
    case QWebEngineDownloadRequest::DownloadCancelled:
        m_state->setText(QStringLiteral("已取消"));
        m_cancel->setEnabled(false);
        break;
    case QWebEngineDownloadRequest::DownloadInterrupted:
        m_state->setText(QStringLiteral("下载失败：%1").arg(m_download->interruptReasonString()));
        m_cancel->setEnabled(false);
        break;
    }
}
