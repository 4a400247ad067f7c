#include "chooser/course_file_table.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>

#include "base/upper_case.h"
#include "console/text_screen.h"
#include "device/console_colours.h"
#include "system/directory.h"

namespace zul {

namespace {

constexpr const char* kPattern = "*.ZUL";
constexpr int kNormalFilesOnly = 0;
// The blanks that start a notice's lines in the middle of the screen.
constexpr std::string_view kNoticeIndent = "                                    ";

// The table's order: upper-cased names by bytes, equal ones by their spellings.
bool Before(const std::pair<Text, Text>& a, const std::pair<Text, Text>& b) {
  const int order = CompareTexts(a.first, b.first);
  return order != 0 ? order < 0 : CompareTexts(a.second, b.second) < 0;
}

}  // namespace

void CourseFileSelection::Add(const Text& on_disk) {
  ++found_;
  kept_.emplace_back(UpperCasedText(on_disk, code_page_), on_disk);
  if (kept_.size() >= 2 * static_cast<std::size_t>(kTableSize)) DropBeyondTable();
}

void CourseFileSelection::DropBeyondTable() {
  if (kept_.size() <= static_cast<std::size_t>(kTableSize)) return;
  const auto table_end = kept_.begin() + kTableSize;
  std::nth_element(kept_.begin(), table_end, kept_.end(), Before);
  kept_.erase(table_end, kept_.end());
}

void CourseFileSelection::StoreInto(RunState& state) {
  DropBeyondTable();
  std::sort(kept_.begin(), kept_.end(), Before);
  for (int i = ListTable::kLower; i <= ListTable::kUpper; ++i) {
    state.course_files[i].clear();
    state.course_files_on_disk[i].clear();
  }
  int entry = ListTable::kLower;
  for (auto& [name, on_disk] : kept_) {
    state.course_files[entry] = std::move(name);
    state.course_files_on_disk[entry] = std::move(on_disk);
    ++entry;
  }
  if (!kept_.empty()) state.course_file_count = static_cast<int16_t>(kept_.size());
  kept_.clear();
}

// The selection keeps the first 1000 names in the table's order, not the listing's;
// when there were more, a notice in the style of the one for none says how many.
// The two searches and the count of 1 with no files are kept on purpose: the order of
// the calls and what they leave is part of what the program is seen to do.
void BuildCourseFileTable(RunState& state, PhaseServices& services) {
  TextScreen& screen = services.screen;
  if (StartDirectorySearch(kPattern, kNormalFilesOnly).empty()) {
    screen.SetColour(colour::kLightRed, TextScreen::kKeepColour);
    screen.WriteLine(Text(kNoticeIndent) + "There are no .ZUL files");
    screen.WriteLine(Text(kNoticeIndent) + "in this directory!!");
    screen.SetColour(colour::kBlack, TextScreen::kKeepColour);
    screen.WriteLine("");
  }

  Text name = StartDirectorySearch(kPattern, kNormalFilesOnly);
  state.course_file_count = 1;
  if (name.empty()) return;
  CourseFileSelection selection(services.code_page);
  for (; !name.empty(); name = NextDirectoryName()) selection.Add(name);
  selection.StoreInto(state);

  if (selection.Found() > static_cast<std::size_t>(kTableSize)) {
    screen.SetColour(colour::kLightRed, TextScreen::kKeepColour);
    screen.WriteLine(Text(kNoticeIndent) + "Only the first " + std::to_string(kTableSize) + " of " +
                     std::to_string(selection.Found()) + " .ZUL files");
    screen.WriteLine(Text(kNoticeIndent) + "are listed!!");
    screen.SetColour(colour::kBlack, TextScreen::kKeepColour);
    screen.WriteLine("");
  }
}

}  // namespace zul
