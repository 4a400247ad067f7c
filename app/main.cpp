// The chooser's entry point: settles the code page of the run, opens the console and
// its tools, then runs the chooser. Arguments and environment are not read.
#include "chooser/run_sequence.h"
#include "console/console_lender.h"
#include "console/console_tools_adapter.h"
#include "console/text_screen.h"
#include "consoletools/console_tools_library.h"
#include "consoletools/window_decorations.h"
#include "device/monotonic_clock.h"
#include "device/open_console_device.h"
#include "system/system.h"

int main() {
  const zul::CodePage& code_page = zul::UseProgramCodePage();
  zul::MonotonicClock& clock = zul::SystemClock();
  auto device = zul::OpenConsoleDevice(code_page, clock);
  auto window = zul::OpenWindowDecorations();
  zul::TextScreen screen(*device, code_page);
  zul::ConsoleToolsLibrary library(*device, *window, code_page, clock);
  zul::ConsoleToolsAdapter tools(library);
  zul::DeviceConsoleLender lender(*device);
  zul::PhaseServices services{screen, tools, lender, code_page};
  return zul::RunChooser(services, zul::ProgramInstance());
}
