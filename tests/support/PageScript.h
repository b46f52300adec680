#pragma once

#include <QVariant>

class BrowserControl;

// Runs a script in the page of web (the real engine) and waits for its value;
// "<no answer>" when none comes.
QVariant evaluate(BrowserControl *web, const QString &script);
