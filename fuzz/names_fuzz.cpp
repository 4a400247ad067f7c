// Fuzzes what the chooser does to names before it offers them: trimming,
// upper-casing, comparing and sorting the course file table. Checks that trimming
// and upper-casing are idempotent and change only what they promise, that the
// comparison is a strict weak order agreeing with unsigned byte order, and that
// the sort packs every name, in that order, with its on-disk spelling beside it.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "chooser/course_file_table.h"
#include "chooser/run_state.h"
#include "fuzz/fuzz_check.h"

namespace zul {
namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

// The capital a byte has in the console's code page, or the byte itself.
uint8_t Capital(uint8_t byte) {
  static constexpr std::pair<uint8_t, uint8_t> kAccented[] = {
      {0x84, 0x8E}, {0x94, 0x99}, {0x81, 0x9A}, {0x82, 0x90}, {0xA4, 0xA5}, {0x86, 0x8F}, {0x87, 0x80}};
  if (byte >= 'a' && byte <= 'z') return static_cast<uint8_t>(byte - 'a' + 'A');
  for (const auto& [small, capital] : kAccented)
    if (byte == small) return capital;
  return byte;
}

void CheckTrim(const Text& text) {
  const Text trimmed = Trim(text);
  FUZZ_CHECK(Trim(trimmed) == trimmed);
  FUZZ_CHECK(trimmed.empty() || (trimmed.front() != ' ' && trimmed.back() != ' '));
  // What was cut is blanks only, on both sides.
  if (trimmed.empty()) {
    FUZZ_CHECK(text.find_first_not_of(' ') == Text::npos);
    return;
  }
  const std::size_t at = text.find(trimmed);
  FUZZ_CHECK(at != Text::npos);
  FUZZ_CHECK(text.find_first_not_of(' ') == at);
  FUZZ_CHECK(text.find_last_not_of(' ') == at + trimmed.size() - 1);
}

void CheckUpperCase(const Text& name) {
  const Text upper = UpperCaseName(name);
  FUZZ_CHECK(upper.size() == name.size());
  FUZZ_CHECK(UpperCaseName(upper) == upper);
  for (std::size_t i = 0; i < name.size(); ++i)
    FUZZ_CHECK(static_cast<uint8_t>(upper[i]) == Capital(static_cast<uint8_t>(name[i])));
}

// Antisymmetry and agreement with unsigned byte order for a pair; transitivity
// of "before" and of "equal" for a triple.
void CheckPair(const Text& a, const Text& b) {
  const int ab = Sign(CompareTexts(a, b));
  FUZZ_CHECK(ab == -Sign(CompareTexts(b, a)));
  FUZZ_CHECK(ab == Sign(a.compare(b)));
  FUZZ_CHECK((ab == 0) == (a == b));
}

void CheckTriple(const Text& a, const Text& b, const Text& c) {
  const int ab = Sign(CompareTexts(a, b)), bc = Sign(CompareTexts(b, c)), ac = Sign(CompareTexts(a, c));
  if (ab < 0 && bc < 0) FUZZ_CHECK(ac < 0);
  if (ab == 0 && bc == 0) FUZZ_CHECK(ac == 0);
  if (ab <= 0 && bc <= 0) FUZZ_CHECK(ac <= 0);
}

// The table sorted: entries 1 to n hold the n names given, in non-decreasing
// order (equal names by their spellings), each beside its own spelling; the
// rest is empty.
void CheckSort(const std::vector<std::pair<int, Text>>& placed) {
  auto state = std::make_unique<RunState>();
  for (const auto& [index, on_disk] : placed) {
    state->course_files[index] = UpperCaseName(on_disk);
    state->course_files_on_disk[index] = on_disk;
  }
  std::vector<std::pair<Text, Text>> given;
  for (int i = ListTable::kLower; i <= ListTable::kUpper; ++i)
    if (!state->course_files[i].empty())
      given.emplace_back(state->course_files[i], state->course_files_on_disk[i]);

  SortCourseFiles(*state);

  const int count = static_cast<int>(given.size());
  std::vector<std::pair<Text, Text>> sorted;
  for (int i = ListTable::kLower; i <= ListTable::kUpper; ++i) {
    const Text& name = state->course_files[i];
    const Text& on_disk = state->course_files_on_disk[i];
    if (i - ListTable::kLower >= count) {
      FUZZ_CHECK(name.empty() && on_disk.empty());
      continue;
    }
    FUZZ_CHECK(!name.empty());
    FUZZ_CHECK(name == UpperCaseName(on_disk));
    sorted.emplace_back(name, on_disk);
  }
  for (std::size_t i = 1; i < sorted.size(); ++i) {
    const int order = CompareTexts(sorted[i - 1].first, sorted[i].first);
    FUZZ_CHECK(order <= 0);
    if (order == 0) FUZZ_CHECK(CompareTexts(sorted[i - 1].second, sorted[i].second) <= 0);
  }
  std::sort(given.begin(), given.end());
  std::sort(sorted.begin(), sorted.end());
  FUZZ_CHECK(given == sorted);
}

}  // namespace
}  // namespace zul

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace zul;
  FuzzedDataProvider provider(data, size);
  // A few names straight from the data, then as many as asked made from them
  // (many alike, so that the sort meets equal and nearly equal names).
  std::vector<Text> names;
  const int given = provider.ConsumeIntegralInRange<int>(0, 24);
  for (int i = 0; i < given && provider.remaining_bytes() > 0; ++i)
    names.push_back(provider.ConsumeRandomLengthString(300));
  for (const Text& name : names) {
    CheckTrim(name);
    CheckUpperCase(name);
  }
  for (const Text& a : names)
    for (const Text& b : names) CheckPair(a, b);
  const std::size_t few = std::min<std::size_t>(names.size(), 10);
  for (std::size_t i = 0; i < few; ++i)
    for (std::size_t j = 0; j < few; ++j)
      for (std::size_t k = 0; k < few; ++k) CheckTriple(names[i], names[j], names[k]);

  std::vector<std::pair<int, Text>> placed;
  const int made = provider.ConsumeIntegralInRange<int>(0, 1200);
  for (std::size_t i = 0; i < names.size(); ++i)
    placed.emplace_back(provider.ConsumeIntegralInRange<int>(ListTable::kLower, ListTable::kUpper), names[i]);
  for (int i = 0; i < made && !names.empty(); ++i) {
    Text name = names[static_cast<std::size_t>(i) % names.size()];
    if (i % 3 != 0) name += static_cast<char>(i % 5 == 0 ? 'a' + i % 26 : i);
    placed.emplace_back(ListTable::kLower + (i * 7919) % ListTable::kSize, name);
  }
  CheckSort(placed);
  return 0;
}
