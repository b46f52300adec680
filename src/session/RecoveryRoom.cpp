#include "RecoveryRoom.h"

#include "SessionFile.h"
#include "core/AppInfo.h"
#include "core/Prompts.h"
#include "document/Documents.h"
#include "document/RoomAnchors.h"

#include <QEvent>
#include <QFile>
#include <QWidget>

RecoveryRoom::RecoveryRoom(const AppContext &context, QObject *parent)
    : Room(parent), m_context(context), m_windows(*context.documents)
{
    m_saveSoon.setSingleShot(true);
    m_saveSoon.setInterval(1000);
    connect(&m_saveSoon, &QTimer::timeout, this, &RecoveryRoom::save);
    connect(&m_windows, &OpenWindows::changed, this, &RecoveryRoom::changed);
    m_writer.setMaxThreadCount(1);
}

// An orderly end, also without the main window's close (a window that is only deleted).
RecoveryRoom::~RecoveryRoom() { unload(); }

void RecoveryRoom::install(const RoomAnchors &where) { m_window = where.window; }

QString RecoveryRoom::path() const { return m_context.profileFolder + u'/' + QLatin1String(SessionFile::Name); }

// One look at the folder when the last run closed normally.
void RecoveryRoom::load()
{
    if (!QFile::exists(path()))
        return;
    m_offered = SessionFile::read(path());
    if (m_offered.isEmpty()) {
        QFile::remove(path());
        return;
    }
    // Asked over the main window once it shows, not over the splash or the tip of the day.
    if (m_window && !m_window->isVisible())
        m_window->installEventFilter(this);
    else
        QTimer::singleShot(0, this, &RecoveryRoom::ask);
}

bool RecoveryRoom::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Show) {
        m_window->removeEventFilter(this);
        QTimer::singleShot(0, this, &RecoveryRoom::ask);
    }
    return Room::eventFilter(watched, event);
}

void RecoveryRoom::ask()
{
    const auto answer = m_context.prompts->message(m_window, Question, AppTitle, Prompts::Question,
                                                   Prompts::Yes | Prompts::No);
    const QList<PageEntry> offered = std::exchange(m_offered, {});
    if (m_ended)
        return;
    if (answer == Prompts::Yes)
        for (const PageEntry &page : offered)
            m_context.documents->navigateNew(page.address);
    else
        QFile::remove(path());
    changed();
}

// At most one write a second, however many windows open, close and load meanwhile.
void RecoveryRoom::changed()
{
    if (!m_ended && !m_saveSoon.isActive())
        m_saveSoon.start();
}

void RecoveryRoom::save()
{
    if (!m_offered.isEmpty()) // the question is still open: the last run's windows stay on file
        return;
    m_writer.start([path = path(), pages = m_windows.pages()] { SessionFile::write(path, pages); });
}

void RecoveryRoom::unload()
{
    m_ended = true;
    m_saveSoon.stop();
    m_writer.waitForDone();
    QFile::remove(path());
}
