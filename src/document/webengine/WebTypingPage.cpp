#include "WebTypingPage.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>

namespace {

// Runs in our own world, so the page's scripts can neither see nor change it: in
// each new frame, and once in the frames there are when typing first starts. It
// counts what arrives, since a script can overtake keys on their way; and as an
// input method would not commit text while a button or link has the focus, such
// a commit (which the engine puts where the caret was last) is turned away.
const QString Counter = QStringLiteral(R"((function install(w) {
  try {
    if (!w.vantorelTyping) {
      var seen = { keys: 0, texts: 0, focus: 0 };
      w.vantorelTyping = seen;
      w.addEventListener('focus', function (e) { if (e.target === w) seen.focus++; }, true);
      var noText = /^(button|checkbox|color|file|hidden|image|radio|range|reset|submit)$/;
      var takesText = function (e) {
        if (!e || e.nodeType !== 1 || e.isContentEditable || e.localName.indexOf('-') > 0)
          return true;
        if (e.readOnly || e.disabled)
          return false;
        return e.localName === 'textarea' || (e.localName === 'input' && !noText.test(e.type));
      };
      w.addEventListener('keyup', function (e) { if (e.isTrusted) seen.keys++; }, true);
      w.addEventListener('beforeinput', function (e) {
        if (!e.isTrusted || e.inputType !== 'insertText')
          return;
        seen.texts++;
        if (!takesText(e.composedPath()[0]))
          e.preventDefault();
      }, true);
    }
    for (var i = 0; i < w.frames.length; ++i) install(w.frames[i]);
  } catch (e) {} // a frame of another site cannot be reached
})(window))");

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

const QString WebTypingPage::ScriptName = QStringLiteral("vantorel-typing");

WebTypingPage::WebTypingPage(QWebEngineView *view, QWebEnginePage *page) : m_view(view), m_page(page) {}

bool WebTypingPage::isVisible() const { return m_view->isVisible(); }

bool WebTypingPage::hasFocus() const
{
    const QWidget *proxy = m_view->focusProxy();
    return proxy && m_view->isActiveWindow() && QApplication::focusWidget() == proxy;
}

void WebTypingPage::focus()
{
    m_view->window()->activateWindow();
    m_view->setFocus(Qt::OtherFocusReason);
}

void WebTypingPage::focusLateWidget()
{
    if (QApplication::focusWidget() == m_view && m_view->focusProxy())
        m_view->setFocus(Qt::OtherFocusReason);
}

// Scripts of one world run in the order asked, so the counter is in place before the count.
void WebTypingPage::count(std::function<void(const QVariant &)> answer)
{
    if (m_page->scripts().find(ScriptName).isEmpty())
        installCounter();
    m_page->runJavaScript(Count, QWebEngineScript::ApplicationWorld, std::move(answer));
}

void WebTypingPage::installCounter()
{
    QWebEngineScript counter;
    counter.setName(ScriptName);
    counter.setSourceCode(Counter);
    counter.setInjectionPoint(QWebEngineScript::DocumentCreation);
    counter.setWorldId(QWebEngineScript::ApplicationWorld);
    counter.setRunsOnSubFrames(true);
    m_page->scripts().insert(counter);
    m_page->runJavaScript(Counter, QWebEngineScript::ApplicationWorld);
}

void WebTypingPage::deliver(const KeyStroke &stroke)
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
