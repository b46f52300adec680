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
    dropIdleSource();
}

void IdleSteps::dropIdleSource()
{
    if (!m_idleSource)
        return;
    GMainContext *context = g_main_context_ref_thread_default();
    if (GSource *idle = g_main_context_find_source_by_id(context, std::exchange(m_idleSource, 0)))
        g_source_destroy(idle);
    g_main_context_unref(context);
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
    // On the loop of this thread: Qt gives a thread other than the main one a context of its own.
    GSource *idle = g_idle_source_new();
    g_source_set_callback(
        idle,
        [](gpointer self) -> gboolean {
            auto *steps = static_cast<IdleSteps *>(self);
            steps->m_idleSource = 0;
            steps->runNext();
            return G_SOURCE_REMOVE;
        },
        this, nullptr);
    GMainContext *context = g_main_context_ref_thread_default();
    m_idleSource = g_source_attach(idle, context);
    g_main_context_unref(context);
    g_source_unref(idle);
}

void IdleSteps::runNext()
{
    m_deadline->stop();
    dropIdleSource();
    if (m_steps.empty())
        return;
    const std::function<void()> step = std::move(m_steps.front());
    m_steps.pop();
    m_running = true;
    step();
    m_running = false;
    schedule();
}
