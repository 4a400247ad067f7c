// Fuzzes the list box through the console-tools library, as the chooser calls it:
// a list table of chosen names (up to 1000, up to 255 bytes, empty ones and zero
// bytes among them), any heading, hint, place and flags, a console of any shape
// from 1 by 1 to 300 by 100, and a script of keys (ranges with Shift, the
// filter's keys, type-ahead with pauses among them), clicks, wheel turns and
// resizes ending with the end of the input. Checks that the box returns, that
// its answer is names of the list in its order separated by single zero bytes
// (one name in single selection, none on Cancel), and that it draws nothing
// outside the buffer and leaves the screen as it found it.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/code_page.h"
#include "console/console_tools_adapter.h"
#include "consoletools/console_tools_library.h"
#include "dialogs/dialog_keys.h"
#include "fuzz/dialog_script.h"
#include "fuzz/fuzz_check.h"

namespace zul {
namespace {

constexpr std::size_t kLongestName = 255;

// Fills the table: some names straight from the data, then as many as asked
// made from a stem, a number and padding to a chosen length; every so often an
// entry is left empty or gets a zero byte.
void FillTable(FuzzedDataProvider& provider, ListTable& table) {
  const int count = provider.ConsumeBool() ? provider.ConsumeIntegralInRange<int>(0, 12)
                                           : provider.ConsumeIntegralInRange<int>(0, ListTable::kSize);
  const int given = std::min(count, provider.ConsumeIntegralInRange<int>(0, 8));
  int entry = ListTable::kLower;
  for (int i = 0; i < given; ++i) table[entry++] = provider.ConsumeRandomLengthString(kLongestName);
  const Text stem = provider.ConsumeRandomLengthString(16);
  const auto length = provider.ConsumeIntegralInRange<std::size_t>(0, kLongestName);
  const auto pad = provider.ConsumeIntegral<char>();
  const int gap = provider.ConsumeIntegralInRange<int>(0, 9);
  for (int i = given; i < count; ++i) {
    Text name = stem + std::to_string(i);
    if (name.size() < length) name.resize(length, pad);
    name.resize(std::min(name.size(), kLongestName));
    if (gap > 0 && i % (gap + 3) == 0) name.clear();
    if (gap > 0 && i % (gap + 5) == 1) name.insert(name.size() / 2, 1, '\0');
    table[entry++] = name;
  }
}

// The names the box offers, as the list promises them: the non-empty entries in
// table order, each up to its first zero byte, those then empty left out; in
// byte order when sorted.
std::vector<Text> Offered(const ListTable& table, bool sorted) {
  std::vector<Text> names;
  for (const Text& entry : table) {
    const Text name = entry.substr(0, entry.find('\0'));
    if (!name.empty()) names.push_back(name);
  }
  if (sorted)
    std::stable_sort(names.begin(), names.end(),
                     [](const Text& a, const Text& b) { return CompareTexts(a, b) < 0; });
  return names;
}

// The answer: names of `offered`, in its order, each at most once, separated by
// single zero bytes; one name only in single selection.
void CheckAnswer(const Text& answer, const std::vector<Text>& offered, bool multiple) {
  if (answer.empty()) return;
  std::vector<Text> fields(1);
  for (char c : answer) {
    if (c == '\0')
      fields.emplace_back();
    else
      fields.back() += c;
  }
  if (!multiple) FUZZ_CHECK(fields.size() == 1);
  std::size_t at = 0;
  for (const Text& field : fields) {
    FUZZ_CHECK(!field.empty());
    while (at < offered.size() && offered[at] != field) ++at;
    FUZZ_CHECK(at < offered.size());
    ++at;
  }
}

}  // namespace
}  // namespace zul

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace zul;
  FuzzedDataProvider provider(data, size);
  fuzzing::ScriptedConsole console = fuzzing::MakeConsole(provider, 160);
  const VirtualConsole before = console;

  auto table = std::make_unique<ListTable>();
  FillTable(provider, *table);
  const int32_t buttons = provider.ConsumeIntegral<int32_t>();
  const int32_t left = fuzzing::ChooseNumber(provider, 320);
  const int32_t top = fuzzing::ChooseNumber(provider, 110);
  const int32_t sorted = fuzzing::ChooseNumber(provider, 1);
  const int32_t multiple = fuzzing::ChooseNumber(provider, 1);
  const int32_t first_shown = fuzzing::ChooseNumber(provider, 1001);
  const Text heading = provider.ConsumeRandomLengthString(400);
  const Text hint = provider.ConsumeRandomLengthString(400);

  auto decorations = OpenWindowDecorations();
  ConsoleToolsLibrary library(console, *decorations, Utf8CodePage(), console.Clock());
  ConsoleToolsAdapter adapter(library);
  const Text answer =
      adapter.ConsoleListBox(buttons, left, top, heading, hint, *table, sorted, multiple, first_shown);

  fuzzing::CheckClosed(console, before);
  const std::vector<Text> offered = Offered(*table, sorted != 0);
  CheckAnswer(answer, offered, multiple != 0);
  const InputEvent& closing = console.last_read;
  if (closing.kind == InputEvent::Kind::kEnd) FUZZ_CHECK(answer.empty());
  // Enter may close the filter field rather than the box, Esc clear the filter
  // first, and a filter that shows no name answers no highlighted one.
  if (closing.kind == InputEvent::Kind::kKey) {
    if (IsEnterKey(closing.key) && offered.empty()) FUZZ_CHECK(answer.empty());
    if (IsCancelKey(closing.key)) FUZZ_CHECK(answer.empty());
  }
  return 0;
}
