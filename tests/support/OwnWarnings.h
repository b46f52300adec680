#pragma once

#include <QRegularExpression>

// From the first call on, a warning of our own logging categories ("vantorel.*")
// fails the running test, unless the test said it expects that warning. Call it
// once the tests run (TestApp does), since QtTest installs its own handler then.
void failOnOwnWarnings();

// While it lives, one warning matching pattern is expected; if none came by the
// time it goes, the test fails.
class ExpectedWarning
{
public:
    explicit ExpectedWarning(const QRegularExpression &pattern);
    ~ExpectedWarning();
    ExpectedWarning(const ExpectedWarning &) = delete;
    ExpectedWarning &operator=(const ExpectedWarning &) = delete;

    QRegularExpression pattern;
    bool seen = false;
};
