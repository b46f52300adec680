#pragma once

#include "core/KeyStroke.h"

#include <QList>
#include <QObject>
#include <QElapsedTimer>
#include <QTimer>

#include <functional>

class QWebEnginePage;
class QWebEngineView;

// Types key strokes into the focused element of a view's page, as a keyboard and
// an input method would: keys as key events, text runs committed whole.
class PageTyper : public QObject
{
    Q_OBJECT
public:
    PageTyper(QWebEngineView *view, QWebEnginePage *page);

    // Queues strokes behind those still being typed.
    void type(const QList<KeyStroke> &strokes);

signals:
    // One call's strokes have reached the page, or were dropped.
    void typed();

private:
    // What the page has seen of our typing, counted by its frames.
    struct Seen
    {
        bool focused = false;
        qint64 keys = 0;  // keys released
        qint64 texts = 0; // texts about to be inserted
        qint64 focusGains = 0; // times the page got the focus
    };

    void startNext();
    void waitForFocus();
    void typeAll();
    void waitForPage(Seen last);
    void finish();
    bool viewHasFocus() const;
    void deliver(const KeyStroke &stroke) const;
    void askPage(std::function<void(const Seen &)> then);

    QWebEngineView *m_view;
    QWebEnginePage *m_page;
    QList<QList<KeyStroke>> m_calls;
    QList<KeyStroke> m_strokes; // the call being typed
    bool m_busy = false;
    quint64 m_call = 0; // changes when a call ends, so late answers are ignored
    Seen m_expected;
    QElapsedTimer m_progress; // since the page last showed progress
    qint64 m_focusBefore = -1; // the page's focus gains before it was given the focus; -1: it had it
    QTimer m_retry;  // the next look at the focus
    QTimer m_giveUp; // a call that cannot get on is dropped
};
