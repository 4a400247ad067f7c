// What the dialog fuzz targets share: a virtual console that plays a script of
// key, mouse, paste and resize events chosen by the fuzzer data and notes every write
// that leaves the buffer, and the choices of console shape, event script and
// awkward numbers. It runs no dialog itself.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "base/unicode.h"
#include "device/virtual_console.h"
#include "fuzz/fuzz_check.h"
#include "tests/support/manual_clock.h"

namespace zul::fuzzing {

// How the console takes a resize: the terminal's size changes and the window
// stays (the presenter clips it), or the window follows it inside the buffer,
// or buffer and window both become the new size.
enum class ResizeMode { kLargestOnly, kWindowFollows, kBufferFollows };

struct Step {
  InputEvent event;
  ResizeMode resize = ResizeMode::kLargestOnly;
  int pause_ms = 0;  // the time the console's clock moves on before the event comes
};

class ScriptedConsole : public VirtualConsole {
 public:
  ScriptedConsole(Coord size, Coord largest, std::vector<Step> script)
      : VirtualConsole(size, largest), script_(std::move(script)) {}

  bool WriteCells(Coord at, std::span<const Cell> cells) override {
    if (!cells.empty() && !Inside(at, cells.size())) NoteOutside("write", at, cells.size());
    return VirtualConsole::WriteCells(at, cells);
  }
  bool FillCells(Coord at, uint32_t count, Cell fill) override {
    if (count > 0 && !Inside(at, count)) NoteOutside("fill", at, count);
    return VirtualConsole::FillCells(at, count, fill);
  }

  // From now on, whenever the dialog waits for input (at the first waits and
  // after resizes), every cell outside the window must be as it is now, until
  // a resize changes the buffer.
  void KeepOutsideTheWindow() {
    kept_ = std::vector<Cell>();
    for (int16_t y = 0; y < Size().y; ++y)
      for (int16_t x = 0; x < Size().x; ++x) kept_->push_back(At({x, y}));
  }

  // Gives the next event of the script (kEnd once it is used up) and, for a
  // resize, first changes the console as the step says.
  bool ReadInput(InputEvent& event, int timeout_ms) override {
    ++reads;
    if (kept_ && (reads <= 4 || last_read.kind == InputEvent::Kind::kResize)) CheckOutsideTheWindow();
    CheckFrameClosed();
    if (next_ >= script_.size()) return VirtualConsole::ReadInput(event, timeout_ms);
    const Step& step = script_[next_++];
    clock_->Advance(step.pause_ms);
    event = step.event;
    last_read = event;
    if (event.kind == InputEvent::Kind::kResize) {
      if (step.resize == ResizeMode::kBufferFollows) kept_.reset();
      Resize(event.size, step.resize);
    }
    return true;
  }

  // The clock of the script's pauses, for whatever reads this console's input.
  testing::ManualClock& Clock() const { return *clock_; }
  const std::vector<Step>& Script() const { return script_; }
  std::size_t ScriptLength() const { return script_.size(); }
  // The steps of the script read so far.
  std::size_t StepsRead() const { return next_; }

  int outside = 0;        // writes and fills that did not lie within one row of the buffer
  std::size_t reads = 0;  // events asked for
  InputEvent last_read;   // the last event read from the script
  // Whether the buffer kept its size and cells through the resizes, if any.
  bool BufferKept() const { return kept_.has_value(); }

 private:
  void CheckOutsideTheWindow() const {
    const InclusiveRect window = Window();
    std::size_t i = 0;
    for (int16_t y = 0; y < Size().y; ++y)
      for (int16_t x = 0; x < Size().x; ++x, ++i)
        if (!window.Contains({x, y})) FUZZ_CHECK(At({x, y}) == (*kept_)[i]);
  }

  // The first double frame on the screen (a dialog draws on a blank console) is
  // closed: its right edge stands straight below its top right corner, whatever
  // the characters of the texts inside it and their widths.
  void CheckFrameClosed() const {
    for (int16_t y = 0; y < Size().y; ++y)
      for (int16_t x = 0; x < Size().x; ++x) {
        if (At({x, y}).character != U'\u2554') continue;
        int16_t right = x;
        while (right + 1 < Size().x && At({++right, y}).character == U'\u2550') {
        }
        FUZZ_CHECK(At({right, y}).character == U'\u2557');
        int16_t row = y;
        while (++row < Size().y && At({x, row}).character == U'\u2551')
          FUZZ_CHECK(At({right, row}).character == U'\u2551');
        FUZZ_CHECK(row < Size().y && At({x, row}).character == U'\u255A' &&
                   At({right, row}).character == U'\u255D');
        return;
      }
  }

  void NoteOutside(const char* what, Coord at, std::size_t count) {
    if (outside++ == 0)
      std::fprintf(stderr, "%s of %zu cells at %d,%d outside the %dx%d buffer (window %d,%d..%d,%d), event %zu\n",
                   what, count, at.x, at.y, Size().x, Size().y, Window().left, Window().top, Window().right,
                   Window().bottom, next_);
  }

  // Within the buffer and within one row of it.
  bool Inside(Coord at, std::size_t count) const {
    return at.x >= 0 && at.y >= 0 && at.y < Size().y &&
           static_cast<std::size_t>(at.x) + count <= static_cast<std::size_t>(Size().x);
  }

  void Resize(Coord size, ResizeMode mode) {
    SetLargestWindow(size);
    if (mode == ResizeMode::kLargestOnly) return;
    const InclusiveRect window = Window();
    const int width = std::min<int>(size.x, Size().x);
    const int height = std::min<int>(size.y, Size().y);
    const int left = std::min<int>(window.left, Size().x - width);
    const int top = std::min<int>(window.top, Size().y - height);
    SetWindowRect({static_cast<int16_t>(left), static_cast<int16_t>(top), static_cast<int16_t>(left + width - 1),
                   static_cast<int16_t>(top + height - 1)});
    if (mode == ResizeMode::kWindowFollows) return;
    SetWindowRect({0, 0, static_cast<int16_t>(width - 1), static_cast<int16_t>(height - 1)});
    SetBufferSize(size);
    SetWindowRect({0, 0, static_cast<int16_t>(size.x - 1), static_cast<int16_t>(size.y - 1)});
  }

  std::vector<Step> script_;
  std::size_t next_ = 0;
  std::shared_ptr<testing::ManualClock> clock_ = std::make_shared<testing::ManualClock>();
  std::optional<std::vector<Cell>> kept_;
};

// A size for a console or a terminal: the shapes that matter most (tiny, the
// chooser's own, huge), or any from 1 by 1 to 300 by 100.
inline Coord ChooseSize(FuzzedDataProvider& provider) {
  static constexpr Coord kShapes[] = {{20, 5}, {300, 100}, {1, 1}, {80, 25}, {80, 30}, {8, 3}, {40, 12}, {2, 2}};
  if (provider.ConsumeBool())
    return kShapes[provider.ConsumeIntegralInRange<std::size_t>(0, std::size(kShapes) - 1)];
  return Coord{provider.ConsumeIntegralInRange<int16_t>(1, 300), provider.ConsumeIntegralInRange<int16_t>(1, 100)};
}

// A number a caller may pass: the usual small ones, the edges of int32, or any.
inline int32_t ChooseNumber(FuzzedDataProvider& provider, int32_t usual_high) {
  switch (provider.ConsumeIntegralInRange<int>(0, 4)) {
    case 0:
      return provider.ConsumeIntegralInRange<int32_t>(-2, 2);
    case 1:
      return provider.ConsumeBool() ? INT32_MAX : INT32_MIN;
    case 2:
      return provider.ConsumeIntegral<int32_t>();
    default:
      return provider.ConsumeIntegralInRange<int32_t>(0, usual_high);
  }
}

inline InputEvent KeyEvent(uint16_t key, char32_t character, uint32_t modifiers = 0) {
  InputEvent event;
  event.kind = InputEvent::Kind::kKey;
  event.key = zul::KeyEvent{key, character, modifiers};
  return event;
}

// A character to type: mostly a byte's worth, sometimes one of the kinds that
// take other than one cell or need more than one byte (wide, a combining mark,
// beyond 16 bits, C1 controls, a surrogate half), sometimes any 21-bit value.
inline char32_t ChooseCharacter(FuzzedDataProvider& provider) {
  static constexpr char32_t kKinds[] = {U'\u00FC', U'\u65E5', U'\u0308', U'\U0001F600', 0x85, 0xD800, U'\u200D'};
  switch (provider.ConsumeIntegralInRange<int>(0, 5)) {
    case 0:
      return kKinds[provider.ConsumeIntegralInRange<std::size_t>(0, std::size(kKinds) - 1)];
    case 1:
      return provider.ConsumeIntegralInRange<char32_t>(0, 0x1FFFFF);
    default:
      return provider.ConsumeIntegral<uint8_t>();
  }
}

inline InputEvent MouseEvent(Coord at, uint32_t buttons, uint32_t modifiers, uint32_t flags, int16_t wheel) {
  InputEvent event;
  event.kind = InputEvent::Kind::kMouse;
  event.mouse = zul::MouseEvent{at, buttons, modifiers, flags, wheel};
  return event;
}

// A cell near the screen of `size`: mostly on it, sometimes just off its edges.
inline Coord ChooseCell(FuzzedDataProvider& provider, Coord size) {
  return Coord{provider.ConsumeIntegralInRange<int16_t>(-2, static_cast<int16_t>(size.x + 1)),
               provider.ConsumeIntegralInRange<int16_t>(-2, static_cast<int16_t>(size.y + 1))};
}

inline uint32_t ChooseModifiers(FuzzedDataProvider& provider) {
  static constexpr uint32_t kChoices[] = {0,
                                          modifier::kLeftCtrl,
                                          modifier::kShift,
                                          modifier::kLeftCtrl | modifier::kShift,
                                          modifier::kLeftAlt,
                                          modifier::kRightCtrl | modifier::kRightAlt};
  return kChoices[provider.ConsumeIntegralInRange<std::size_t>(0, std::size(kChoices) - 1)];
}

// A script of up to `most` events for a screen of `size`: the dialog keys, typed
// bytes, any key at all, clicks, double clicks, wheel turns, any mouse event,
// pastes and resizes; then, as it closes, Enter, Esc, Ctrl+C or nothing; then kEnd.
inline std::vector<Step> ChooseScript(FuzzedDataProvider& provider, Coord size, std::size_t most) {
  std::vector<Step> script;
  const std::size_t length = provider.ConsumeIntegralInRange<std::size_t>(0, most);
  Coord screen = size;
  for (std::size_t i = 0; i < length && provider.remaining_bytes() > 0; ++i) {
    Step step;
    switch (provider.ConsumeIntegralInRange<int>(0, 24)) {
      case 0:
        step.event = KeyEvent(vk::kUp, 0);
        break;
      case 1:
        step.event = KeyEvent(vk::kDown, 0);
        break;
      case 2:
        step.event = KeyEvent(vk::kPrior, 0);
        break;
      case 3:
        step.event = KeyEvent(vk::kNext, 0);
        break;
      case 4:
        step.event = KeyEvent(provider.ConsumeBool() ? vk::kHome : vk::kEnd, 0);
        break;
      case 5:
        step.event = KeyEvent(vk::kSpace, ' ');
        break;
      case 6:
        step.event = KeyEvent('A', 0x01, modifier::kLeftCtrl);
        break;
      case 7:
        step.event = KeyEvent(provider.ConsumeBool() ? vk::kLeft : vk::kRight, 0);
        break;
      case 8:
        step.event = KeyEvent(provider.ConsumeBool() ? vk::kBack : vk::kDelete, provider.ConsumeBool() ? 0x08 : 0);
        break;
      case 9:
      case 10: {
        const char32_t character = ChooseCharacter(provider);
        const bool letter = (character | 0x20) >= 'a' && (character | 0x20) <= 'z';
        step.event = KeyEvent(letter ? static_cast<uint16_t>(character & ~0x20) : 0, character);
        break;
      }
      case 11:
        step.event = KeyEvent(provider.ConsumeIntegral<uint16_t>(), ChooseCharacter(provider),
                              provider.ConsumeIntegral<uint32_t>());
        break;
      case 12:
      case 13:
        step.event = MouseEvent(ChooseCell(provider, screen), mouse::kLeftButton, ChooseModifiers(provider), 0, 0);
        break;
      case 14:
        step.event = MouseEvent(ChooseCell(provider, screen), mouse::kLeftButton, ChooseModifiers(provider),
                                mouse::kDoubleClick, 0);
        break;
      case 15:
        step.event = MouseEvent(ChooseCell(provider, screen), 0, 0, mouse::kWheeled,
                                provider.ConsumeBool() ? 120 : provider.ConsumeIntegral<int16_t>());
        break;
      case 16:
        step.event = MouseEvent(ChooseCell(provider, screen), provider.ConsumeIntegral<uint32_t>(),
                                provider.ConsumeIntegral<uint32_t>(), provider.ConsumeIntegral<uint32_t>(),
                                provider.ConsumeIntegral<int16_t>());
        break;
      case 17:
        step.event = MouseEvent(ChooseCell(provider, screen), 0, 0, 0, 0);  // a release
        break;
      case 18: {  // a movement with Shift, or Ctrl+Shift: a range in the list box
        static constexpr uint16_t kMoves[] = {vk::kUp, vk::kDown, vk::kPrior, vk::kNext, vk::kHome, vk::kEnd};
        step.event = KeyEvent(kMoves[provider.ConsumeIntegralInRange<std::size_t>(0, std::size(kMoves) - 1)], 0,
                              provider.ConsumeBool() ? modifier::kShift : modifier::kShift | modifier::kLeftCtrl);
        break;
      }
      case 19:  // the list box's filter field opens
        step.event = provider.ConsumeBool() ? KeyEvent(0, '/') : KeyEvent('F', 0x06, modifier::kLeftCtrl);
        break;
      case 20: {  // the keys that leave the filter field, and a wildcard
        static constexpr char32_t kTyped[] = {'*', '?', 0x09, 0x1B};
        const char32_t typed = kTyped[provider.ConsumeIntegralInRange<std::size_t>(0, std::size(kTyped) - 1)];
        step.event = KeyEvent(typed == 0x09 ? vk::kTab : typed == 0x1B ? vk::kEscape : 0, typed);
        break;
      }
      case 21: {  // a character typed after a pause, up to twice the type-ahead's
        const char32_t character = ChooseCharacter(provider);
        const bool letter = (character | 0x20) >= 'a' && (character | 0x20) <= 'z';
        step.event = KeyEvent(letter ? static_cast<uint16_t>(character & ~0x20) : 0, character);
        step.pause_ms = provider.ConsumeIntegralInRange<int>(0, 2000);
        break;
      }
      case 22: {  // a paste, as a terminal's bracketed paste brings it: no control characters
        step.event.kind = InputEvent::Kind::kPaste;
        for (int n = provider.ConsumeIntegralInRange<int>(0, 40); n > 0; --n) {
          const char32_t character = ChooseCharacter(provider);
          if (character >= 0x20 && character != 0x7F && !IsC1Control(character))
            step.event.pasted.push_back(character);
        }
        break;
      }
      default: {
        screen = ChooseSize(provider);
        step.event.kind = InputEvent::Kind::kResize;
        step.event.size = screen;
        step.resize = static_cast<ResizeMode>(provider.ConsumeIntegralInRange<int>(0, 2));
        break;
      }
    }
    script.push_back(step);
  }
  Step closing;
  switch (provider.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
      closing.event = KeyEvent(vk::kReturn, 0x0D);
      script.push_back(closing);
      break;
    case 1:
      closing.event = KeyEvent(vk::kEscape, 0x1B);
      script.push_back(closing);
      break;
    case 2:
      closing.event = KeyEvent('C', 0x03, modifier::kLeftCtrl);
      script.push_back(closing);
      break;
    default:
      break;
  }
  Step end;
  end.event.kind = InputEvent::Kind::kEnd;
  script.push_back(end);
  return script;
}

// A console of a chosen shape with a script of up to `most_events` events: a buffer, possibly taller and wider
// than the window, the window somewhere in it, and the terminal as large as the window. Its cells are scribbled
// over so that what a dialog leaves behind shows.
inline ScriptedConsole MakeConsole(FuzzedDataProvider& provider, std::size_t most_events) {
  const Coord window = ChooseSize(provider);
  Coord buffer = window;
  if (provider.ConsumeBool()) {
    buffer.x = static_cast<int16_t>(window.x + provider.ConsumeIntegralInRange<int16_t>(0, 40));
    buffer.y = static_cast<int16_t>(window.y + provider.ConsumeIntegralInRange<int16_t>(0, 60));
  }
  const auto left = provider.ConsumeIntegralInRange<int16_t>(0, static_cast<int16_t>(buffer.x - window.x));
  const auto top = provider.ConsumeIntegralInRange<int16_t>(0, static_cast<int16_t>(buffer.y - window.y));
  ScriptedConsole console(buffer, window, ChooseScript(provider, window, most_events));
  FUZZ_CHECK(console.SetWindowRect(
      {left, top, static_cast<int16_t>(left + window.x - 1), static_cast<int16_t>(top + window.y - 1)}));
  for (int16_t y = 0; y < buffer.y; ++y) {
    std::vector<Cell> row(static_cast<std::size_t>(buffer.x));
    for (int16_t x = 0; x < buffer.x; ++x)
      row[static_cast<std::size_t>(x)] =
          Cell{static_cast<uint8_t>(x * 7 + y * 3), static_cast<uint16_t>((x + y) & 0xFF)};
    console.VirtualConsole::WriteCells({0, y}, row);
  }
  console.SetCursorPosition({static_cast<int16_t>(buffer.x / 2), static_cast<int16_t>(buffer.y / 3)});
  console.SetCursorInfo({provider.ConsumeIntegralInRange<uint32_t>(1, 100), provider.ConsumeBool()});
  console.SetInputMode(provider.ConsumeBool() ? input_mode::kFreshConsole : provider.ConsumeIntegral<uint16_t>());
  console.KeepOutsideTheWindow();
  return console;
}

// The dialog has closed: it read no event after the end of the input, it wrote
// nothing outside the buffer, and it put back the input mode and the cursor's
// shape, and, while the buffer kept its size, every cell and the cursor.
inline void CheckClosed(const ScriptedConsole& console, const VirtualConsole& before) {
  FUZZ_CHECK(console.reads <= console.ScriptLength());
  FUZZ_CHECK(console.outside == 0);
  // A found mode that reports the private flags comes back exactly, quick edit as it was;
  // one that does not comes back with them as a new console has them, all on.
  using namespace input_mode;
  const uint32_t found = before.InputMode();
  const bool told = (found & kExtendedFlags) != 0;
  FUZZ_CHECK(console.InputMode() ==
             (told ? found : found | kExtendedFlags | kQuickEdit | kInsert | kAutoPosition));
  FUZZ_CHECK(console.QuickEdit() == (told ? before.QuickEdit() : true));
  FUZZ_CHECK(console.CursorShape().size == before.CursorShape().size);
  FUZZ_CHECK(console.CursorShape().visible == before.CursorShape().visible);
  if (!console.BufferKept()) return;
  FUZZ_CHECK(console.Cursor() == before.Cursor());
  for (int16_t y = 0; y < before.Size().y; ++y)
    for (int16_t x = 0; x < before.Size().x; ++x) FUZZ_CHECK(console.At({x, y}) == before.At({x, y}));
}

}  // namespace zul::fuzzing
