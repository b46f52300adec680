#pragma once

#include <QLoggingCategory>

// Our own categories; tests fail on any warning of theirs they did not expect.
Q_DECLARE_LOGGING_CATEGORY(lcProfile)
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
