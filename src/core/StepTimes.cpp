#include "StepTimes.h"

#include <QDeadlineTimer>
#include <QtGlobal>

#include <cstdio>

namespace StepTimes {

void mark(const char *name)
{
    static const bool wanted = qEnvironmentVariableIsSet("VANTOREL_STEP_TIMES");
    static qint64 previous = 0;
    if (!wanted)
        return;
    const qint64 now = QDeadlineTimer::current(Qt::PreciseTimer).deadlineNSecs();
    std::fprintf(stderr, "step %s %.1f +%.1f\n", name, double(now) / 1e6,
                 previous ? double(now - previous) / 1e6 : 0.0);
    previous = now;
}

} // namespace StepTimes
