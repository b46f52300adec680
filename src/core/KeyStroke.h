#pragma once

#include <QString>
#include <Qt>

// One step of typing into a page: a run of text, or one key with its modifiers.
struct KeyStroke
{
    QString text;   // when not empty: committed as text, without key events
    int key = 0;    // otherwise: this Qt::Key pressed with the modifiers
    Qt::KeyboardModifiers modifiers;
    QString keyText; // what the key types without modifiers; may be empty
};
