#pragma once

#include "TypingPage.h"

class QWebEnginePage;
class QWebEngineView;

// Typing into the engine's page: keys as key events, text runs committed whole as
// an input method commits them, counted by a script that the page gets only once
// something is typed into it.
class WebTypingPage : public TypingPage
{
public:
    WebTypingPage(QWebEngineView *view, QWebEnginePage *page);

    // The counter's name among the page's scripts.
    static const QString ScriptName;

    bool isVisible() const override;
    bool hasFocus() const override;
    void focus() override;
    void focusLateWidget() override;
    void count(std::function<void(const QVariant &)> answer) override;
    void deliver(const KeyStroke &stroke) override;

private:
    void installCounter();

    QWebEngineView *m_view;
    QWebEnginePage *m_page;
};
