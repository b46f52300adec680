#pragma once

// Start-up steps, timed for the start-up benchmark. Only with VANTOREL_STEP_TIMES
// set does a mark print "step <name> <ms> +<ms> cpu <ms>" to stderr: the monotonic
// clock (a launcher that knows when it started the program subtracts that), the time
// since the previous mark, and the CPU time the calling thread has used so far.
// Otherwise a mark costs one test of a flag.
namespace StepTimes {

void mark(const char *name);

} // namespace StepTimes
