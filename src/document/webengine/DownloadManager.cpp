#include "DownloadManager.h"

#include "DownloadWidget.h"
#include "core/Prompts.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineView>
#include <QWindow>

#include <algorithm>

namespace {

qint64 overlap(const QRect &a, const QRect &b)
{
    const QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : qint64(both.width()) * both.height();
}

// The place moved the least way that brings it whole onto the screen, no larger than it.
QRect onto(const QRect &place, const QRect &screen)
{
    QRect inside(place.topLeft(), place.size().boundedTo(screen.size()));
    inside.moveLeft(std::clamp(inside.left(), screen.left(), screen.right() - inside.width() + 1));
    inside.moveTop(std::clamp(inside.top(), screen.top(), screen.bottom() - inside.height() + 1));
    return inside;
}

// Beside the owner where the screen has room; else the place on the screen that hides
// the least of the page (then of the owner); never off the screen.
QRect besideOwner(const QRect &owner, const QRect &page, QSize size, const QRect &screen)
{
    size = size.boundedTo(screen.size());
    const QRect right(QPoint(owner.right() + 1, owner.top()), size);
    const QRect left(QPoint(owner.left() - size.width(), owner.top()), size);
    QList<QRect> places{right, left};
    for (const QPoint corner : {screen.bottomRight(), screen.bottomLeft(), screen.topRight(), screen.topLeft()}) {
        QRect place(QPoint(), size);
        place.moveBottomRight(corner);
        places.append(place);
    }
    for (QRect &place : places)
        place = onto(place, screen);
    return *std::min_element(places.begin(), places.end(), [&](const QRect &a, const QRect &b) {
        return std::pair(overlap(a, page), overlap(a, owner)) < std::pair(overlap(b, page), overlap(b, owner));
    });
}

// Where a widget is on the screen.
QRect onScreen(const QWidget *widget)
{
    return widget->isWindow() ? widget->frameGeometry() : QRect(widget->mapToGlobal(QPoint()), widget->size());
}

// The page that asked, else the window the user is in.
QWidget *askedFrom(QWebEngineDownloadRequest *download)
{
    if (download->page())
        if (QWebEngineView *view = QWebEngineView::forPage(download->page()))
            return view;
    return QApplication::activeWindow();
}

} // namespace

// A tool window stays above the window it belongs to and has no task-bar entry of its own.
DownloadManager::DownloadManager(Prompts &prompts, QWidget *parent)
    : QWidget(parent, Qt::Tool), m_prompts(prompts), m_rows(new QVBoxLayout),
      m_empty(new QLabel(QStringLiteral("没有下载")))
{
    setWindowTitle(QStringLiteral("下载"));
    resize(460, 300);
    m_empty->setObjectName(QStringLiteral("downloadsEmpty"));
    m_empty->setAlignment(Qt::AlignCenter);
    auto *inner = new QWidget;
    auto *innerLayout = new QVBoxLayout(inner);
    innerLayout->addWidget(m_empty);
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
    QWidget *near = askedFrom(download);
    const QString path = m_prompts.saveFileName(near ? near->window() : nullptr, QStringLiteral("保存下载的文件"), suggested);
    if (path.isEmpty()) {
        download->cancel();
        return;
    }
    const QFileInfo target(path);
    download->setDownloadDirectory(target.absolutePath());
    download->setDownloadFileName(target.fileName());
    download->accept();
    m_rows->insertWidget(0, new DownloadWidget(download));
    m_empty->hide();
    appear(near);
}

void DownloadManager::showBeside(QWidget *near)
{
    appear(near);
    activateWindow();
}

// Placed only when it comes up: once shown, it stays where the user moved it, on the screen.
void DownloadManager::appear(QWidget *near)
{
    QWidget *owner = near ? near->window() : nullptr;
    if (owner == this)
        owner = near = nullptr;
    if (!isVisible()) {
        // A parent would delete the list, and its downloads, with the window; the window
        // system's owner keeps it above that window all the same.
        create();
        windowHandle()->setTransientParent(owner ? owner->windowHandle() : nullptr);
        placeBeside(owner, near);
        show();
    } else {
        moveTo(onto(frameGeometry(), screen()->availableGeometry()));
    }
    raise();
}

void DownloadManager::placeBeside(const QWidget *owner, const QWidget *page)
{
    const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen->availableGeometry();
    // Before its first showing the list's frame is unknown; the owner's is a fair guess.
    QSize frame = frameGeometry().size();
    if (frame == size() && owner)
        frame += owner->frameGeometry().size() - owner->size();
    QRect place;
    if (owner) {
        place = besideOwner(owner->frameGeometry(), onScreen(page), frame, available);
    } else {
        place = QRect(QPoint(), frame.boundedTo(available.size()));
        place.moveCenter(available.center());
    }
    moveTo(place, frame);
}

// Where the frame goes; the window inside it is smaller by the frame's edges.
void DownloadManager::moveTo(const QRect &place, QSize frame)
{
    if (!frame.isValid())
        frame = frameGeometry().size();
    resize(size() - (frame - place.size()));
    move(place.topLeft());
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
