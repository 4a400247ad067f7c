// The console device on a POSIX terminal, as OpenConsoleDevice gives it, but
// going by the clock it is given: tests give one they move, to check the
// console's timing without waiting.
#pragma once

#include <memory>

#include "device/console_device.h"
#include "device/monotonic_clock.h"

namespace zul {

// `clock` must outlive the console.
std::unique_ptr<ConsoleDevice> OpenTerminalConsole(MonotonicClock& clock);

}  // namespace zul
