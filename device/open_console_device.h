// Opening the console of this process: where the program meets the console
// device's backends, each of which (terminal/, win32/) gives it for its platform.
#pragma once

#include <memory>

#include "base/code_page.h"
#include "device/console_device.h"
#include "device/monotonic_clock.h"

namespace zul {

// The console of this process: the real console on Windows, a virtual console
// shown on the terminal elsewhere (kept in memory when there is no terminal).
// `code_page` is the one the program's texts are spelled in: the console shows its
// title in it, and the Windows console reads a redirected input's bytes by it.
// `clock` times the waits for input where the device times them itself (the
// terminal). Both must outlive the console.
std::unique_ptr<ConsoleDevice> OpenConsoleDevice(const CodePage& code_page, MonotonicClock& clock);

}  // namespace zul
