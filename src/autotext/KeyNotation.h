#pragma once

#include "core/KeyStroke.h"

#include <QList>
#include <QString>

// How auto-text snippets spell what is typed: plain characters are text, and
// + ^ % ~ ( ) { } spell key presses, as in "张三{TAB}zhangsan@example.com~".
//
// +, ^ and % hold Shift, Ctrl and Alt for the next key or for each key of the
// next group in parentheses. Groups may nest, and a group without modifiers only
// groups. Shift alone types what the key gives with Shift on a US layout ("+1" is
// "!", "+a" is "A") and on a non-ASCII character types the character; other
// modified characters are key presses.
// ~ is Enter, {NAME} a named key, {x} the character x, and a count after a space
// ({TAB 3}, {- 20}) repeats it.
namespace KeyNotation {

struct Parsed
{
    QList<KeyStroke> strokes; // in typing order; text runs merged
    QString error;            // empty when valid; else there are no strokes
};

// A snippet with a mistake types nothing: the error names the character where it
// is (counting from 1, an emoji as one) and the piece at fault.
Parsed parse(const QString &snippet);

} // namespace KeyNotation
