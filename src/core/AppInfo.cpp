#include "AppInfo.h"

QString AppInfo::version() { return QStringLiteral(VANTOREL_VERSION); }
