// Fuzzes the input box through the console-tools library, as the chooser calls
// it: any question, hint, starting answer, place, length limit and flags, a
// console of any shape from 1 by 1 to 300 by 100, and a script of keys, clicks,
// wheel turns and resizes ending with the end of the input. Checks that the box
// returns, that its answer keeps to the limit and is what the editing keys made
// of the starting answer (none on Cancel), and that it draws nothing outside the
// buffer and leaves the screen as it found it.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/code_page.h"
#include "console/console_tools_adapter.h"
#include "consoletools/console_tools_library.h"
#include "dialogs/dialog_keys.h"
#include "dialogs/input_box.h"
#include "fuzz/dialog_script.h"
#include "fuzz/fuzz_check.h"

namespace zul {
namespace {

// The answer as the editing keys make it, while every character is an ASCII one
// (a byte and a cell each): typed and pasted characters insert at the cursor while
// the limit allows; Backspace, Delete, Left, Right, Home and End. A click moves the cursor
// to where the field shows, which only the box knows, and the glyphs of other
// characters are the box's own: from then on the answer is not followed, but it
// still keeps to the limit and to whole characters.
class EditedAnswer {
 public:
  EditedAnswer(const Text& start, std::size_t limit)
      : text_(start.substr(0, limit)), limit_(limit), cursor_(text_.size()) {
    for (const char c : text_) followed_ = followed_ && static_cast<uint8_t>(c) < 0x80;
  }

  // Follows one event; false once the box has closed on it.
  bool Follow(const InputEvent& event) {
    if (event.kind == InputEvent::Kind::kEnd) return false;
    if (event.kind == InputEvent::Kind::kMouse && IsLeftPress(event.mouse)) followed_ = false;
    if (event.kind == InputEvent::Kind::kPaste) {
      // Inserted at the cursor as if typed, as much as the limit allows.
      for (const char32_t c : event.pasted) {
        if (c >= 0x80) followed_ = false;
        if (text_.size() < limit_) text_.insert(cursor_++, 1, static_cast<char>(c));
      }
      return true;
    }
    if (event.kind != InputEvent::Kind::kKey) return true;
    const KeyEvent& key = event.key;
    if (IsEnterKey(key) || IsCancelKey(key)) return false;
    if (IsTypedCharacter(key) && key.character >= 0x80) followed_ = false;
    if (key.key == vk::kBack) {
      if (cursor_ > 0) text_.erase(--cursor_, 1);
    } else if (IsTypedCharacter(key)) {
      if (text_.size() < limit_) text_.insert(cursor_++, 1, static_cast<char>(key.character));
    } else if (key.key == vk::kLeft) {
      cursor_ -= cursor_ > 0 ? 1 : 0;
    } else if (key.key == vk::kRight) {
      cursor_ += cursor_ < text_.size() ? 1 : 0;
    } else if (key.key == vk::kHome) {
      cursor_ = 0;
    } else if (key.key == vk::kEnd) {
      cursor_ = text_.size();
    } else if (key.key == vk::kDelete) {
      if (cursor_ < text_.size()) text_.erase(cursor_, 1);
    }
    return true;
  }

  bool Followed() const { return followed_; }
  const Text& Answer() const { return text_; }

 private:
  Text text_;
  std::size_t limit_;
  std::size_t cursor_;
  bool followed_ = true;
};

// Whether every byte of `text` belongs to a UTF-8 character.
bool WholeUtf8(const Text& text) {
  for (std::size_t at = 0; at < text.size();) {
    const Spelled spelled = Utf8CodePage().Decode(std::string_view(text).substr(at));
    if (spelled.length == 0) return false;
    at += spelled.length;
  }
  return true;
}

int32_t ChooseLimit(FuzzedDataProvider& provider) {
  switch (provider.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
      return provider.ConsumeIntegralInRange<int32_t>(1, 12);
    case 1:
      return provider.ConsumeIntegralInRange<int32_t>(kInputBoxLimit - 2, kInputBoxLimit + 2);
    default:
      return fuzzing::ChooseNumber(provider, 300);
  }
}

}  // namespace
}  // namespace zul

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace zul;
  FuzzedDataProvider provider(data, size);
  fuzzing::ScriptedConsole console = fuzzing::MakeConsole(provider, 200);
  const VirtualConsole before = console;

  const int32_t buttons = provider.ConsumeIntegral<int32_t>();
  const int32_t column = fuzzing::ChooseNumber(provider, 320);
  const int32_t row = fuzzing::ChooseNumber(provider, 110);
  const int32_t focus = fuzzing::ChooseNumber(provider, 2);
  const int32_t max_length = ChooseLimit(provider);
  const Text question = provider.ConsumeRandomLengthString(400);
  const Text hint = provider.ConsumeRandomLengthString(400);
  Text default_answer = provider.ConsumeRandomLengthString(400);
  if (!default_answer.empty() && provider.ConsumeBool()) {
    // A starting answer longer than any limit.
    while (default_answer.size() <= static_cast<std::size_t>(kInputBoxLimit)) default_answer += default_answer;
  }

  auto decorations = OpenWindowDecorations();
  ConsoleToolsLibrary library(console, *decorations, Utf8CodePage(), console.Clock());
  ConsoleToolsAdapter adapter(library);
  const Text answer =
      adapter.ConsoleInputBox(buttons, column, row, question, hint, default_answer, focus, max_length);

  fuzzing::CheckClosed(console, before);
  const auto limit =
      static_cast<std::size_t>(max_length <= 0 || max_length > kInputBoxLimit ? kInputBoxLimit : max_length);
  FUZZ_CHECK(answer.size() <= limit);

  const InputEvent& closing = console.last_read;
  if (closing.kind == InputEvent::Kind::kEnd) FUZZ_CHECK(answer.empty());
  if (closing.kind == InputEvent::Kind::kKey && !IsEnterKey(closing.key) && IsCancelKey(closing.key))
    FUZZ_CHECK(answer.empty());
  if (closing.kind == InputEvent::Kind::kKey && IsEnterKey(closing.key)) {
    // The events the box read, followed: the answer is what the keys made.
    EditedAnswer edited(default_answer, limit);
    for (std::size_t i = 0; i < console.StepsRead() && edited.Follow(console.Script()[i].event); ++i) {
    }
    if (edited.Followed()) FUZZ_CHECK(answer == edited.Answer());
    // Characters are typed and deleted whole: a whole start gives a whole answer.
    if (WholeUtf8(default_answer.substr(0, limit))) FUZZ_CHECK(WholeUtf8(answer));
  }
  return 0;
}
