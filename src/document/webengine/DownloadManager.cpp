#include "DownloadManager.h"

#include "DownloadWidget.h"
#include "core/Prompts.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>

DownloadManager::DownloadManager(Prompts &prompts, QWidget *parent)
    : QWidget(parent, Qt::Window), m_prompts(prompts), m_rows(new QVBoxLayout)
{
    setWindowTitle(QStringLiteral("下载"));
    resize(460, 300);
    auto *inner = new QWidget;
    auto *innerLayout = new QVBoxLayout(inner);
    innerLayout->addLayout(m_rows);
    innerLayout->addStretch();
    auto *scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setWidget(inner);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
}

void DownloadManager::downloadRequested(QWebEngineDownloadRequest *download)
{
    // Save-page requests come from our own save command, which already asked for a path.
    if (download->isSavePageDownload()) {
        download->accept();
        return;
    }
    const QString suggested = QDir(startFolder(download->downloadDirectory())).filePath(download->downloadFileName());
    const QString path = m_prompts.saveFileName(QApplication::activeWindow(), QStringLiteral("保存下载的文件"),
                                                suggested);
    if (path.isEmpty()) {
        download->cancel();
        return;
    }
    const QFileInfo target(path);
    download->setDownloadDirectory(target.absolutePath());
    download->setDownloadFileName(target.fileName());
    download->accept();
    m_rows->insertWidget(0, new DownloadWidget(download));
    show();
    raise();
}

int DownloadManager::count() const { return m_rows->count(); }

int DownloadManager::running() const
{
    const QList<DownloadWidget *> rows = findChildren<DownloadWidget *>();
    return int(std::count_if(rows.begin(), rows.end(), [](const DownloadWidget *row) { return row->isRunning(); }));
}

// The dialog would open in the process's current folder when the suggested one is missing.
QString DownloadManager::startFolder(const QString &folder)
{
    if (!folder.isEmpty() && QDir().mkpath(folder))
        return folder;
    return QDir::homePath();
}
