#include "console/console_device.h"
#include "console/virtual_console.h"

namespace zul {

std::unique_ptr<ConsoleDevice> OpenConsoleDevice() { return std::make_unique<VirtualConsole>(); }

}  // namespace zul
