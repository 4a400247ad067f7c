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
// Its title, and on Windows a redirected input's bytes, are read in `code_page`;
// the terminal times its waits for input by `clock`. Both must outlive the console.
std::unique_ptr<ConsoleDevice> OpenConsoleDevice(const CodePage& code_page, MonotonicClock& clock);

}  // namespace zul
