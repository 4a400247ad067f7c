// What the chooser's phases work on in a test: one call log shared by a recording
// console and a recording console-tools library, the text screen on that console and
// the adapter on that library, handed to the phases as they get them. Test support only.
#pragma once

#include "chooser/run_state.h"
#include "console/console_tools_adapter.h"
#include "console/text_screen.h"
#include "tests/support/recording.h"

namespace zul::testing {

struct ChooserWorld {
  // A console of `size` that may grow to `largest`.
  explicit ChooserWorld(Coord size, Coord largest) : console(log, size, largest) {}

  CallLog log;
  RecordingConsole console;
  TextScreen screen{console};
  RecordingConsoleTools library{log};
  ConsoleToolsAdapter tools{library};
  PhaseServices services{screen, tools};
};

}  // namespace zul::testing
