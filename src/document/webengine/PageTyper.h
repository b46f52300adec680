#pragma once

#include "core/KeyStroke.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class TypingPage;

// Types key strokes into the focused element of a page, once the page has the
// focus, and waits until the page has taken them in.
class PageTyper : public QObject
{
    Q_OBJECT
public:
    PageTyper(std::unique_ptr<TypingPage> page, QObject *parent = nullptr);
    ~PageTyper() override;

    // Queues strokes behind those still being typed.
    void type(const QList<KeyStroke> &strokes);

signals:
    // One call's strokes have reached the page, or were dropped.
    void typed();

private:
    // What the page has seen of our typing.
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
    void askPage(std::function<void(const Seen &)> then);

    std::unique_ptr<TypingPage> m_page;
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
