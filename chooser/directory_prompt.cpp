#include "chooser/directory_prompt.h"

#include "console/console_tools_adapter.h"
#include "console/text_screen.h"
#include "system/directory.h"
#include "system/system.h"

namespace zul {

namespace {

const char* const kExplanation[] = {
    "",
    "  If your .ZUL files are not on the same path (folder)",
    "  as the program files then specify where they are:",
    "",
    "       example: c:\\mydirectory\\myfiles\\",
    "",
    " The change will be made only if the path exists.",
};

}  // namespace

// The explanation comes in the colour the set-up left. The prefix is the path the
// change used (the answer, cut as the change cuts it) followed by one separator,
// even when the answer already ends in one.
void PromptForCourseDirectory(RunState& state, PhaseServices& services) {
  for (const char* line : kExplanation) services.screen.WriteLine(line);

  const int32_t row = services.tools.LocOfRow(15);
  const int32_t column = services.tools.LocOfCol(40);
  const Text answer =
      Trim(services.tools.ConsoleInputBox(33, column, row, "Change default directory for .ZUL course files? ",
                                          "<Cancel> accepts program's directory", "", 1, 32768));
  services.screen.Clear();
  if (answer.empty()) return;
  if (ChangeWorkingDirectory(answer))
    state.course_directory_prefix = answer.substr(0, kMaxDirectoryPath) + kPathSeparator;
}

}  // namespace zul
