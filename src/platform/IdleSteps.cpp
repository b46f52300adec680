#include "IdleSteps.h"

#include <QAbstractEventDispatcher>
#include <QTimer>

#include <glib.h>

#include <utility>

namespace {

// Qt's own loop on Linux is GLib's, whose idle sources run only when no event,
// timer or posted task is ready. Qt offers no such priority of its own.
bool loopIsGlib()
{
    const QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
    return dispatcher && dispatcher->inherits("QEventDispatcherGlib");
}

} // namespace

IdleSteps::IdleSteps(QObject *parent) : QObject(parent), m_deadline(new QTimer(this))
{
    m_deadline->setSingleShot(true);
    connect(m_deadline, &QTimer::timeout, this, &IdleSteps::runNext);
}

IdleSteps::~IdleSteps()
{
    if (m_idleSource)
        g_source_remove(m_idleSource);
}

void IdleSteps::add(std::function<void()> step)
{
    m_steps.push(std::move(step));
    schedule();
}

void IdleSteps::schedule()
{
    if (m_running || m_steps.empty() || m_deadline->isActive())
        return;
    if (!loopIsGlib()) {
        m_deadline->start(0);
        return;
    }
    m_deadline->start(LongestWaitMs);
    m_idleSource = g_idle_add(
        [](gpointer self) -> gboolean {
            auto *steps = static_cast<IdleSteps *>(self);
            steps->m_idleSource = 0;
            steps->runNext();
            return G_SOURCE_REMOVE;
        },
        this);
}

void IdleSteps::runNext()
{
    m_deadline->stop();
    if (m_idleSource)
        g_source_remove(std::exchange(m_idleSource, 0));
    if (m_steps.empty())
        return;
    const std::function<void()> step = std::move(m_steps.front());
    m_steps.pop();
    m_running = true;
    step();
    m_running = false;
    schedule();
}
