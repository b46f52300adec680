#include "Logging.h"

Q_LOGGING_CATEGORY(lcProfile, "vantorel.profile")
Q_LOGGING_CATEGORY(lcPlatform, "vantorel.platform")
