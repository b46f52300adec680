#include "PageTyper.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>

namespace {

// How long the page may take to get the focus, and to take in what was typed.
constexpr int WaitMs = 2000;
constexpr int RetryMs = 10;
// How long the page may show no progress before the rest is taken as gone (a
// navigation, or a frame of another site that cannot be counted): input that is
// still on its way under load takes longer than a few answers of the page.
constexpr int IdleMs = 300;

// Runs in every frame, in our own world. It counts what arrives, since a script
// can overtake keys on their way; and as an input method would not commit text
// while a button or link has the focus, such a commit (which the engine puts
// where the caret was last) is turned away.
const QString Counter = QStringLiteral(R"((function () {
  var seen = { keys: 0, texts: 0, focus: 0 };
  window.vantorelTyping = seen;
  addEventListener('focus', function (e) { if (e.target === window) seen.focus++; }, true);
  var noText = /^(button|checkbox|color|file|hidden|image|radio|range|reset|submit)$/;
  function takesText(e) {
    if (!e || e.nodeType !== 1 || e.isContentEditable || e.localName.indexOf('-') > 0)
      return true;
    if (e.readOnly || e.disabled)
      return false;
    return e.localName === 'textarea' || (e.localName === 'input' && !noText.test(e.type));
  }
  addEventListener('keyup', function (e) { if (e.isTrusted) seen.keys++; }, true);
  addEventListener('beforeinput', function (e) {
    if (!e.isTrusted || e.inputType !== 'insertText')
      return;
    seen.texts++;
    if (!takesText(e.composedPath()[0]))
      e.preventDefault();
  }, true);
})())");

const QString Count = QStringLiteral(R"((function () {
  var keys = 0, texts = 0, top = window.vantorelTyping;
  (function add(w) {
    try {
      var seen = w.vantorelTyping;
      if (seen) { keys += seen.keys; texts += seen.texts; }
      for (var i = 0; i < w.frames.length; ++i) add(w.frames[i]);
    } catch (e) {}
  })(window);
  return [document.hasFocus(), keys, texts, top ? top.focus : 0];
})())");

} // namespace

PageTyper::PageTyper(QWebEngineView *view, QWebEnginePage *page) : QObject(view), m_view(view), m_page(page)
{
    QWebEngineScript counter;
    counter.setName(QStringLiteral("vantorel-typing"));
    counter.setSourceCode(Counter);
    counter.setInjectionPoint(QWebEngineScript::DocumentCreation);
    counter.setWorldId(QWebEngineScript::ApplicationWorld);
    counter.setRunsOnSubFrames(true);
    m_page->scripts().insert(counter);

    m_retry.setSingleShot(true);
    m_retry.setInterval(RetryMs);
    connect(&m_retry, &QTimer::timeout, this, &PageTyper::waitForFocus);
    m_giveUp.setSingleShot(true);
    m_giveUp.setInterval(WaitMs);
    connect(&m_giveUp, &QTimer::timeout, this, &PageTyper::finish);
}

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
    if (m_strokes.isEmpty() || !m_view->isVisible())
        return finish();
    m_giveUp.start();
    if (viewHasFocus()) {
        m_focusBefore = -1;
        return waitForFocus();
    }
    // The page may not have heard yet that it lost the focus: a "yes" to the question
    // counts only once it has heard that it got it back.
    askPage([this](const Seen &seen) {
        m_focusBefore = seen.focusGains;
        m_view->window()->activateWindow();
        m_view->setFocus(Qt::OtherFocusReason);
        waitForFocus();
    });
}

// The window must be active with the page's widget focused, and the page itself
// must know it has the focus, or the first keys would go nowhere.
void PageTyper::waitForFocus()
{
    if (!viewHasFocus()) {
        // The page's widget may come only with its first page.
        if (QApplication::focusWidget() == m_view && m_view->focusProxy())
            m_view->setFocus(Qt::OtherFocusReason);
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
    if (!viewHasFocus())
        return finish();
    for (const KeyStroke &stroke : std::as_const(m_strokes))
        deliver(stroke);
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

bool PageTyper::viewHasFocus() const
{
    const QWidget *proxy = m_view->focusProxy();
    return proxy && m_view->isActiveWindow() && QApplication::focusWidget() == proxy;
}

void PageTyper::askPage(std::function<void(const Seen &)> then)
{
    QPointer<PageTyper> self(this);
    // Our own world: the page's scripts can neither see nor change the answer.
    m_page->runJavaScript(Count, QWebEngineScript::ApplicationWorld,
                          [self, call = m_call, then = std::move(then)](const QVariant &answer) {
                              if (!self || call != self->m_call)
                                  return;
                              const QVariantList values = answer.toList();
                              Seen seen;
                              if (values.size() == 4)
                                  seen = {values[0].toBool(), values[1].toLongLong(), values[2].toLongLong(),
                                          values.value(3).toLongLong()};
                              then(seen);
                          });
}

void PageTyper::deliver(const KeyStroke &stroke) const
{
    QWidget *target = m_view->focusProxy();
    if (!stroke.text.isEmpty()) {
        QInputMethodEvent commit;
        commit.setCommitString(stroke.text);
        QCoreApplication::sendEvent(target, &commit);
        return;
    }
    const auto key = Qt::Key(stroke.key);
    // A keyboard gives no text with Ctrl or Alt held.
    const QString text =
        stroke.modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier) ? QString() : stroke.keyText;
    // As from the keyboard: the engine claims its editing keys (Ctrl+A, Backspace,
    // the arrows) through the override before the press.
    QKeyEvent override(QEvent::ShortcutOverride, key, stroke.modifiers, text);
    QCoreApplication::sendEvent(target, &override);
    QKeyEvent press(QEvent::KeyPress, key, stroke.modifiers, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, stroke.modifiers, text);
    QCoreApplication::sendEvent(target, &release);
}
