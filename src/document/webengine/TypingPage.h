#pragma once

#include "core/KeyStroke.h"

#include <QVariant>

#include <functional>

// What the typer needs of a page: the engine's page, or a scripted one in tests.
class TypingPage
{
public:
    virtual ~TypingPage() = default;

    virtual bool isVisible() const = 0;
    // The window is active and the page's own widget has the focus.
    virtual bool hasFocus() const = 0;
    // Activates the window and focuses the page.
    virtual void focus() = 0;
    // Focuses the page's widget if it came after focus() was called.
    virtual void focusLateWidget() = 0;
    // Later, never within the call: [has focus, keys released, texts inserted,
    // times the page got the focus], counted since the first count; anything else
    // when the page cannot say.
    virtual void count(std::function<void(const QVariant &)> answer) = 0;
    virtual void deliver(const KeyStroke &stroke) = 0;
};
