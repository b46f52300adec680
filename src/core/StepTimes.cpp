#include "StepTimes.h"

#include <QDeadlineTimer>
#include <QtGlobal>

#include <cstdio>
#include <ctime>

namespace {

// The CPU time of the calling thread: on a busy machine, what the step itself cost.
double threadCpuMs()
{
    timespec spent{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &spent);
    return double(spent.tv_sec) * 1e3 + double(spent.tv_nsec) / 1e6;
}

} // namespace

namespace StepTimes {

void mark(const char *name)
{
    static const bool wanted = qEnvironmentVariableIsSet("VANTOREL_STEP_TIMES");
    static qint64 previous = 0;
    if (!wanted)
        return;
    const qint64 now = QDeadlineTimer::current(Qt::PreciseTimer).deadlineNSecs();
    std::fprintf(stderr, "step %s %.1f +%.1f cpu %.1f\n", name, double(now) / 1e6,
                 previous ? double(now - previous) / 1e6 : 0.0, threadCpuMs());
    previous = now;
}

} // namespace StepTimes
