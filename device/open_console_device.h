// Opening the console of this process: where the program meets the console
// device's backends, each of which (terminal/, win32/) gives it for its platform.
#pragma once

#include <memory>

#include "device/console_device.h"

namespace zul {

// The console of this process: the real console on Windows, a virtual console
// shown on the terminal elsewhere (kept in memory when there is no terminal).
std::unique_ptr<ConsoleDevice> OpenConsoleDevice();

}  // namespace zul
