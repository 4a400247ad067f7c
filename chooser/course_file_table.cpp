#include "chooser/course_file_table.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "console/text_screen.h"
#include "system/directory.h"

namespace zul {

namespace {

constexpr const char* kPattern = "*.ZUL";
constexpr int kNormalFilesOnly = 0;
constexpr int kUnchanged = -1;
constexpr int kBlack = 0;
constexpr int kLightRed = 12;

uint8_t UpperCaseByte(uint8_t byte) {
  if (byte >= 'a' && byte <= 'z') return static_cast<uint8_t>(byte - 0x20);
  switch (byte) {
    case 0x84: return 0x8E;
    case 0x94: return 0x99;
    case 0x81: return 0x9A;
    case 0x82: return 0x90;
    case 0xA4: return 0xA5;
    case 0x86: return 0x8F;
    case 0x87: return 0x80;
    default: return byte;
  }
}

}  // namespace

// Empty entries are taken out first, so entries 1 to the count hold the names.
void SortCourseFiles(RunState& state) {
  std::vector<std::pair<Text, Text>> names;
  for (int i = ListTable::kLower; i <= ListTable::kUpper; ++i) {
    if (!state.course_files[i].empty())
      names.emplace_back(std::move(state.course_files[i]), std::move(state.course_files_on_disk[i]));
    state.course_files[i].clear();
    state.course_files_on_disk[i].clear();
  }
  std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) {
    const int order = CompareTexts(a.first, b.first);
    return order != 0 ? order < 0 : CompareTexts(a.second, b.second) < 0;
  });
  int entry = ListTable::kLower;
  for (auto& [name, on_disk] : names) {
    state.course_files[entry] = std::move(name);
    state.course_files_on_disk[entry] = std::move(on_disk);
    ++entry;
  }
}

Text UpperCaseName(const Text& name) {
  Text upper = name;
  for (char& c : upper) c = static_cast<char>(UpperCaseByte(static_cast<uint8_t>(c)));
  return upper;
}

// The scan:
// 1. a first search; when it finds nothing, the notice in light red, then an
//    empty line in black;
// 2. a second search, the count set to 1; nothing found ends the phase with an
//    empty table;
// 3. the first name goes into entry 1; then up to 1000 more names are asked
//    for, each non-empty one counted and stored, until the table is full;
// 4. sort and pack.
void BuildCourseFileTable(RunState& state, Services& services) {
  TextScreen& screen = services.screen;
  if (StartDirectorySearch(kPattern, kNormalFilesOnly).empty()) {
    screen.SetColour(kLightRed, kUnchanged);
    screen.WriteLine("                                    There are no .ZUL files");
    screen.WriteLine("                                    in this directory!!");
    screen.SetColour(kBlack, kUnchanged);
    screen.WriteLine("");
  }

  const Text first = StartDirectorySearch(kPattern, kNormalFilesOnly);
  state.course_file_count = 1;
  if (first.empty()) return;
  state.course_files[1] = UpperCaseName(first);
  state.course_files_on_disk[1] = first;

  for (int request = 0; request < kTableSize && state.course_file_count < kTableSize; ++request) {
    const Text name = NextDirectoryName();
    if (name.empty()) continue;
    ++state.course_file_count;
    state.course_files[state.course_file_count] = UpperCaseName(name);
    state.course_files_on_disk[state.course_file_count] = name;
  }
  SortCourseFiles(state);
}

}  // namespace zul
