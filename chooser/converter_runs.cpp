#include "chooser/converter_runs.h"

#include "chooser/file_selection.h"
#include "console/console_lender.h"
#include "system/directory.h"
#include "system/process.h"
#include "system/system.h"

namespace zul {

Text ConverterCommandLine(const Text& prefix, const Text& file) {
  return "vizozava" + Text("   ") + Trim(prefix) + file;
}

Text ConverterFileName(const RunState& state, int chosen_entry) {
  const Text& name = state.chosen_names[chosen_entry];
  if (!kFileNamesCaseSensitive) return name;
  // The entry the user marked is the one the answer's field spells before the
  // trim: a name with a leading blank is not the file whose name lacks it.
  const std::string_view listed = SelectionField(state.selection, chosen_entry);
  int earlier = 0;
  for (int j = 1; j < chosen_entry; ++j)
    if (SelectionField(state.selection, j) == listed) ++earlier;
  for (int i = 1; i <= state.course_file_count; ++i) {
    if (state.course_files[i] != listed) continue;
    if (earlier-- == 0) return state.course_files_on_disk[i];
  }
  return name;
}

void RunConverterOnEachChoice(RunState& state, PhaseServices& services) {
  ChangeWorkingDirectory(state.startup_directory);
  for (int j = 1; j <= state.chosen_count; ++j) {
    const Text command_line = ConverterCommandLine(state.course_directory_prefix, ConverterFileName(state, j));
    services.lender.RunHandedToChild([&] { StartAndWait(command_line); });
  }
}

}  // namespace zul
