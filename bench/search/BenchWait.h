#pragma once

#include <functional>

// Event-loop waits shared by the search benchmark programs.
namespace BenchWait {

// Runs the event loop until done() holds or the time is up.
bool until(const std::function<bool()> &done, int timeoutMs);
// Runs the event loop for ms, letting paints and late signals through.
void settle(int ms);

} // namespace BenchWait
