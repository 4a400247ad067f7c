#include "chooser/run_sequence.h"

#include "chooser/converter_runs.h"
#include "chooser/course_file_table.h"
#include "chooser/directory_prompt.h"
#include "chooser/file_selection.h"
#include "console/console_tools_adapter.h"
#include "console/text_screen.h"
#include "device/console_colours.h"
#include "system/system.h"

namespace zul {

// The repetitions (two clears, two sizes, menu items deleted, the default menu put back
// and items deleted again) are kept on purpose: the calls and their order are part of
// what the program is seen to do.
void SetUpWindow(RunState& state, PhaseServices& services, void* instance) {
  TextScreen& screen = services.screen;
  ConsoleToolsAdapter& tools = services.tools;

  tools.InitConsoleTools(instance, 128, 32, 3, 0, 0);
  tools.ConsoleToolBar(0, 99);
  tools.ConsoleMove(kCentreWindow, kCentreWindow);

  state.startup_directory = ReadWorkingDirectory();

  screen.MouseInputOn();
  screen.SetColour(colour::kYellow, colour::kGreen);
  screen.Clear();
  screen.SetSize(80, 25);
  screen.SetColour(colour::kBlack, colour::kBrightWhite);
  screen.Clear();

  tools.ConsoleIcon(32519);
  tools.ConsoleTitle("converter: .ZUL files to .DAT, .TXT and .ANS files");

  tools.DeleteWindowMenuItem(kScClose);
  tools.DeleteWindowMenuItem(kScMinimize);
  tools.DeleteWindowMenuItem(kScSize);
  tools.DeleteWindowMenuItem(kScMaximize);
  tools.DefaultWindowMenu();
  tools.DeleteWindowMenuItem(kScMinimize);
  tools.DeleteWindowMenuItem(kScSize);
  tools.DeleteWindowMenuItem(kScMaximize);

  screen.SetWindowTitle("Select zul files for conversion");
  screen.SetSize(80, 30);
  screen.SetColour(colour::kBlack, colour::kBrightWhite);
  screen.Clear();
}

int RunChooser(PhaseServices& services, void* instance) {
  RunState state;
  SetUpWindow(state, services, instance);
  PromptForCourseDirectory(state, services);
  BuildCourseFileTable(state, services);
  SelectCourseFiles(state, services);
  RunConverterOnEachChoice(state, services);
  return 0;
}

}  // namespace zul
