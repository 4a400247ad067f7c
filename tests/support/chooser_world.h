// What the chooser's phases work on in a test: one call log shared by a recording
// console and a recording console-tools library, the text screen on that console, the
// adapter on that library and the console's lender, handed to the phases as they get
// them, with the run's code page UTF-8. Test support only.
#pragma once

#include "chooser/run_state.h"
#include "console/console_lender.h"
#include "console/console_tools_adapter.h"
#include "console/text_screen.h"
#include "tests/support/recording.h"

namespace zul::testing {

struct ChooserWorld {
  // A console of `size` that may grow to `largest`.
  explicit ChooserWorld(Coord size, Coord largest) : console(log, size, largest) {}

  CallLog log;
  RecordingConsole console;
  TextScreen screen{console, Utf8CodePage()};
  RecordingConsoleTools library{log};
  ConsoleToolsAdapter tools{library};
  DeviceConsoleLender lender{console};
  PhaseServices services{screen, tools, lender, Utf8CodePage()};
};

}  // namespace zul::testing
