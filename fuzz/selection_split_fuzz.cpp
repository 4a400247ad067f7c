// Fuzzes the split of the list box's answer into the chosen-name table: any
// bytes (zero bytes included), repeated into more fields than the table holds,
// with any field count. Checks that only entries 1 to the last asked for are
// written (the table lives alone on the heap, so a write past it is caught),
// that each holds its field trimmed, and that the count is that of the non-empty
// entries, never above the table's size.
#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "chooser/file_selection.h"
#include "fuzz/fuzz_check.h"

namespace zul {
namespace {

const Text kUntouched = "\x01untouched\x01";

int ChooseFieldCount(FuzzedDataProvider& provider) {
  switch (provider.ConsumeIntegralInRange<int>(0, 5)) {
    case 0:
      return provider.ConsumeIntegralInRange<int>(-2, 3);
    case 1:
      return provider.ConsumeIntegralInRange<int>(ChosenNameTable::kUpper - 2, ChosenNameTable::kUpper + 2);
    case 2:
      return provider.ConsumeBool() ? INT_MAX : INT_MIN;
    case 3:
      return provider.ConsumeIntegral<int>();
    default:
      return provider.ConsumeIntegralInRange<int>(0, 1200);
  }
}

// The fields of `selection`, byte by byte: a zero byte ends a field, and the
// end of the text ends the last one (so "" is one empty field).
std::vector<Text> Fields(const Text& selection) {
  std::vector<Text> fields(1);
  for (char c : selection) {
    if (c == '\0')
      fields.emplace_back();
    else
      fields.back() += c;
  }
  return fields;
}

}  // namespace
}  // namespace zul

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace zul;
  FuzzedDataProvider provider(data, size);
  const int field_count = ChooseFieldCount(provider);
  const int copies = provider.ConsumeBool() ? provider.ConsumeIntegralInRange<int>(1, 1100) : 1;
  const Text piece = provider.ConsumeRemainingBytesAsString();
  Text selection = piece;
  for (int i = 1; i < copies; ++i) selection += '\0' + piece;

  auto chosen = std::make_unique<ChosenNameTable>();
  for (Text& entry : *chosen) entry = kUntouched;
  int16_t count = -1;
  SplitSelection(selection, field_count, *chosen, count);

  const std::vector<Text> fields = Fields(selection);
  const int last = std::min(field_count, ChosenNameTable::kUpper);
  FUZZ_CHECK((*chosen)[0] == kUntouched);
  int non_empty = 0;
  for (int j = 1; j <= ChosenNameTable::kUpper; ++j) {
    const Text& entry = (*chosen)[j];
    if (j > last) {
      FUZZ_CHECK(entry == kUntouched);
      continue;
    }
    const Text expected =
        static_cast<std::size_t>(j) <= fields.size() ? Trim(fields[static_cast<std::size_t>(j - 1)]) : Text();
    FUZZ_CHECK(entry == expected);
    FUZZ_CHECK(entry.find('\0') == Text::npos);
    FUZZ_CHECK(entry.empty() || (entry.front() != ' ' && entry.back() != ' '));
    if (!entry.empty()) ++non_empty;
  }
  FUZZ_CHECK(count == non_empty);
  FUZZ_CHECK(count >= 0 && count <= ChosenNameTable::kUpper);
  return 0;
}
