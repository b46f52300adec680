#include "PageTyper.h"

#include "TypingPage.h"

#include <QPointer>

namespace {

// How long the page may take to get the focus, and to take in what was typed.
constexpr int WaitMs = 2000;
constexpr int RetryMs = 10;
// How long the page may show no progress before the rest is taken as gone (a
// navigation, or a frame of another site that cannot be counted): input that is
// still on its way under load takes longer than a few answers of the page.
constexpr int IdleMs = 300;

} // namespace

PageTyper::PageTyper(std::unique_ptr<TypingPage> page, QObject *parent) : QObject(parent), m_page(std::move(page))
{
    m_retry.setSingleShot(true);
    m_retry.setInterval(RetryMs);
    connect(&m_retry, &QTimer::timeout, this, &PageTyper::waitForFocus);
    m_giveUp.setSingleShot(true);
    m_giveUp.setInterval(WaitMs);
    connect(&m_giveUp, &QTimer::timeout, this, &PageTyper::finish);
}

PageTyper::~PageTyper() = default;

void PageTyper::type(const QList<KeyStroke> &strokes)
{
    m_calls.append(strokes);
    if (m_busy)
        return;
    m_busy = true;
    QTimer::singleShot(0, this, &PageTyper::startNext);
}

void PageTyper::startNext()
{
    if (m_calls.isEmpty()) {
        m_busy = false;
        return;
    }
    m_strokes = m_calls.takeFirst();
    if (m_strokes.isEmpty() || !m_page->isVisible())
        return finish();
    m_giveUp.start();
    if (m_page->hasFocus()) {
        m_focusBefore = -1;
        return waitForFocus();
    }
    // The page may not have heard yet that it lost the focus: a "yes" to the question
    // counts only once it has heard that it got it back.
    askPage([this](const Seen &seen) {
        m_focusBefore = seen.focusGains;
        m_page->focus();
        waitForFocus();
    });
}

// The window must be active with the page's widget focused, and the page itself
// must know it has the focus, or the first keys would go nowhere.
void PageTyper::waitForFocus()
{
    if (!m_page->hasFocus()) {
        m_page->focusLateWidget();
        return m_retry.start();
    }
    askPage([this](const Seen &seen) {
        if (!seen.focused || seen.focusGains <= m_focusBefore)
            return m_retry.start();
        m_expected = seen;
        for (const KeyStroke &stroke : std::as_const(m_strokes))
            ++(stroke.text.isEmpty() ? m_expected.keys : m_expected.texts);
        typeAll();
    });
}

// All at once: keys and committed text reach the page in the order sent, so a
// focus that a Tab moves has moved before the text after it arrives.
void PageTyper::typeAll()
{
    if (!m_page->hasFocus())
        return finish();
    for (const KeyStroke &stroke : std::as_const(m_strokes))
        m_page->deliver(stroke);
    m_strokes.clear();
    m_giveUp.start();
    m_progress.start();
    Seen before = m_expected;
    before.keys = before.texts = -1; // any first answer is progress
    waitForPage(before);
}

void PageTyper::waitForPage(Seen last)
{
    askPage([this, last](const Seen &seen) {
        if (seen.keys >= m_expected.keys && seen.texts >= m_expected.texts)
            return finish();
        if (seen.keys != last.keys || seen.texts != last.texts)
            m_progress.start();
        else if (m_progress.hasExpired(IdleMs))
            return finish();
        QTimer::singleShot(RetryMs, this, [this, seen, call = m_call] {
            if (call == m_call)
                waitForPage(seen);
        });
    });
}

void PageTyper::finish()
{
    ++m_call;
    m_strokes.clear();
    m_retry.stop();
    m_giveUp.stop();
    QPointer<PageTyper> self(this);
    emit typed();
    if (self)
        startNext();
}

void PageTyper::askPage(std::function<void(const Seen &)> then)
{
    QPointer<PageTyper> self(this);
    m_page->count([self, call = m_call, then = std::move(then)](const QVariant &answer) {
        if (!self || call != self->m_call)
            return;
        const QVariantList values = answer.toList();
        Seen seen;
        if (values.size() == 4)
            seen = {values[0].toBool(), values[1].toLongLong(), values[2].toLongLong(), values[3].toLongLong()};
        then(seen);
    });
}
