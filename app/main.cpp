// The chooser's entry point: settles the code page of the run, opens the console and
// its tools, then runs the chooser. Arguments and environment are not read.
#include "chooser/run_sequence.h"
#include "console/console_tools_adapter.h"
#include "console/text_screen.h"
#include "consoletools/console_tools_library.h"
#include "consoletools/window_decorations.h"
#include "device/open_console_device.h"
#include "system/system.h"

int main() {
  const zul::CodePage& code_page = zul::UseProgramCodePage();
  auto device = zul::OpenConsoleDevice();
  device->SetTextCodePage(code_page);
  auto window = zul::OpenWindowDecorations();
  zul::TextScreen screen(*device);
  zul::ConsoleToolsLibrary library(*device, *window);
  zul::ConsoleToolsAdapter tools(library);
  zul::PhaseServices services{screen, tools};
  return zul::RunChooser(services, zul::ProgramInstance());
}
