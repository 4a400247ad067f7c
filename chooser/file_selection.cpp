#include "chooser/file_selection.h"

#include <algorithm>

#include "console/console_tools_adapter.h"
#include "console/text_screen.h"
#include "device/console_colours.h"
#include "system/system.h"

namespace zul {

std::string_view SelectionField(std::string_view selection, int field) {
  std::size_t start = 0;
  for (int j = 1; j < field; ++j) {
    const std::size_t zero = selection.find('\0', start);
    if (zero == std::string_view::npos) return std::string_view();
    start = zero + 1;
  }
  return selection.substr(start, selection.find('\0', start) - start);
}

void SplitSelection(const Text& selection, int field_count, ChosenNameTable& chosen, int16_t& chosen_count) {
  chosen_count = 0;
  const int last = std::min(field_count, ChosenNameTable::kUpper);
  for (int j = 1; j <= last; ++j) {
    chosen[j] = Trim(Text(SelectionField(selection, j)));
    if (!chosen[j].empty()) ++chosen_count;
  }
}

// The advice goes between two calls that bring the window to the top, and the answer
// is split into one field more than the count: both are part of what the program is
// seen to do.
void SelectCourseFiles(RunState& state, PhaseServices& services) {
  services.tools.ConsoleToTop();
  services.screen.SetColour(colour::kLightMagenta, TextScreen::kKeepColour);
  services.screen.WriteLine("");
  services.screen.WriteLine("");
  services.screen.WriteLine("                                   Make simultaneous choices ");
  services.screen.WriteLine("                                   with <ctrl> click, then press OK");
  services.tools.ConsoleToTop();

  const int count = state.course_file_count;
  for (int i = 1; i <= count; ++i) state.list_table[i] = state.course_files[i];

  const Text heading = ReadWorkingDirectory();
  state.selection = services.tools.ConsoleListBox(3, 0, 0, heading, " <ctl> click for mult. selection",
                                                  state.list_table, 0, 1, 0);
  services.screen.Clear();
  SplitSelection(state.selection, count + 1, state.chosen_names, state.chosen_count);
}

}  // namespace zul
