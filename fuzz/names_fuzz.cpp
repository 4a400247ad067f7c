// Fuzzes what the chooser does to names before it offers them: trimming,
// upper-casing, comparing and sorting the course file table. Checks that trimming
// and upper-casing are idempotent and change only what they promise, that the
// comparison is a strict weak order agreeing with unsigned byte order, and that
// the table keeps the first 1000 names of a listing in that order, packed, each
// with its on-disk spelling beside it.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/code_page.h"
#include "base/upper_case.h"
#include "chooser/course_file_table.h"
#include "chooser/run_state.h"
#include "fuzz/fuzz_check.h"

namespace zul {
namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

// The capital a byte has in code page 437, or the byte itself.
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

// Under code page 437 upper-casing is the byte rule exactly. Under UTF-8 it keeps
// the length and every byte that is not part of a letter's character: ASCII
// bytes change only a-z, and the characters read stay as many, each itself or
// its capital.
void CheckUpperCase(const Text& name) {
  const Text upper = UpperCasedText(name, Cp437CodePage());
  FUZZ_CHECK(UpperCasedText(upper, Cp437CodePage()) == upper);
  FUZZ_CHECK(upper.size() == name.size());
  for (std::size_t i = 0; i < name.size(); ++i)
    FUZZ_CHECK(static_cast<uint8_t>(upper[i]) == Capital(static_cast<uint8_t>(name[i])));

  const Text utf8 = UpperCasedText(name, Utf8CodePage());
  FUZZ_CHECK(UpperCasedText(utf8, Utf8CodePage()) == utf8);
  FUZZ_CHECK(utf8.size() == name.size());
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto byte = static_cast<uint8_t>(name[i]);
    if (byte < 0x80)
      FUZZ_CHECK(static_cast<uint8_t>(utf8[i]) == (byte >= 'a' && byte <= 'z' ? byte - 0x20 : byte));
  }
  for (std::size_t at = 0; at < name.size();) {
    const Spelled before = Utf8CodePage().Decode(std::string_view(name).substr(at));
    const Spelled after = Utf8CodePage().Decode(std::string_view(utf8).substr(at));
    FUZZ_CHECK(before.length == after.length);
    if (before.length == 0) FUZZ_CHECK(name[at] == utf8[at]);
    at += std::max<std::size_t>(before.length, 1);
  }
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

// The names of a listing, given in any order, as the table keeps them: the
// first 1000 of them in the table's order (upper-cased names, equal ones by
// their spellings), each beside its own spelling, in entries 1 to n, the rest
// empty, and the count of all that were given.
void CheckSelection(const std::vector<Text>& listing) {
  auto state = std::make_unique<RunState>();
  state->course_file_count = 1;
  state->course_files[ListTable::kUpper] = "LEFT OVER";
  CourseFileSelection selection(Utf8CodePage());
  for (const Text& on_disk : listing) selection.Add(on_disk);
  FUZZ_CHECK(selection.Found() == listing.size());
  selection.StoreInto(*state);

  std::vector<std::pair<Text, Text>> expected;
  for (const Text& on_disk : listing) expected.emplace_back(UpperCasedText(on_disk, Utf8CodePage()), on_disk);
  std::sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
    const int order = CompareTexts(a.first, b.first);
    return order != 0 ? order < 0 : CompareTexts(a.second, b.second) < 0;
  });
  if (expected.size() > static_cast<std::size_t>(kTableSize)) expected.resize(kTableSize);
  const int count = static_cast<int>(expected.size());
  FUZZ_CHECK(state->course_file_count == (count == 0 ? 1 : count));
  for (int i = ListTable::kLower; i <= ListTable::kUpper; ++i) {
    const Text& name = state->course_files[i];
    const Text& on_disk = state->course_files_on_disk[i];
    const int slot = i - ListTable::kLower;
    if (slot >= count) {
      FUZZ_CHECK(name.empty() && on_disk.empty());
      continue;
    }
    FUZZ_CHECK(name == expected[static_cast<std::size_t>(slot)].first);
    FUZZ_CHECK(on_disk == expected[static_cast<std::size_t>(slot)].second);
  }
}

}  // namespace
}  // namespace zul

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace zul;
  FuzzedDataProvider provider(data, size);
  // A few names straight from the data.
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

  // A listing: the names given, then as many as asked made from them (many
  // alike, so that the order meets equal and nearly equal names), at times past
  // what the table holds. An empty name would end a listing, so none is in one.
  std::vector<Text> listing;
  const int made = provider.ConsumeIntegralInRange<int>(0, 2500);
  for (const Text& name : names)
    if (!name.empty()) listing.push_back(name);
  for (int i = 0; i < made && !names.empty(); ++i) {
    Text name = names[static_cast<std::size_t>(i) % names.size()];
    if (i % 3 != 0) name += static_cast<char>(i % 5 == 0 ? 'a' + i % 26 : i);
    if (!name.empty()) listing.push_back(name);
  }
  CheckSelection(listing);
  return 0;
}
