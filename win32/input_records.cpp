#include "win32/input_records.h"

#include <utility>

#include "base/unicode.h"
#include "device/byte_keys.h"

namespace zul {

namespace {

// The bits of a record that an event keeps: the modifiers (not the lock keys or the
// enhanced-key flag), the three buttons (not the wheel's delta above them) and the
// kinds of mouse event that are reported.
constexpr uint32_t kModifierBits = modifier::kAlt | modifier::kCtrl | modifier::kShift;
constexpr uint32_t kButtonBits = mouse::kLeftButton | mouse::kRightButton | mouse::kMiddleButton;
constexpr uint32_t kEventKindBits = mouse::kMoved | mouse::kDoubleClick | mouse::kWheeled;

bool IsControlCharacter(char32_t character) { return character < 0x20 || character == typed::kDelete; }

}  // namespace

KeyEvent KeyFromRecord(uint16_t virtual_key, char32_t character, uint32_t control_state) {
  KeyEvent key{virtual_key, character, control_state & kModifierBits};
  if (virtual_key == vk::kEscape && key.character == 0) key.character = typed::kEscape;
  return key;
}

bool TakesKeyRecord(uint16_t virtual_key, bool key_down, char32_t character) {
  if (key_down) return true;
  return virtual_key == vk::kMenu && character != 0 && !IsControlCharacter(character);
}

bool KeyRecordKeys::Next(uint16_t virtual_key, bool key_down, char16_t unit, uint32_t control_state,
                         KeyEvent& key) {
  if (!TakesKeyRecord(virtual_key, key_down, unit)) return false;
  char32_t character = unit;
  if (unit != 0) {
    const char16_t high = std::exchange(waiting_high_, 0);
    if (IsHighSurrogate(unit)) {
      waiting_high_ = unit;
      return false;
    }
    if (IsLowSurrogate(unit)) {
      if (high == 0) return false;
      character = JoinSurrogates(high, unit);
    }
  }
  key = KeyFromRecord(virtual_key, character, control_state);
  return true;
}

bool MouseFromRecord(Coord position, uint32_t button_state, uint32_t control_state, uint32_t event_flags,
                     MouseEvent& mouse) {
  if (event_flags & mouse::kHorizontallyWheeled) return false;
  mouse = MouseEvent{};
  mouse.position = position;
  mouse.buttons = button_state & kButtonBits;
  mouse.modifiers = control_state & kModifierBits;
  mouse.flags = event_flags & kEventKindBits;
  if (mouse.flags & mouse::kWheeled) {
    const int delta = WheelDelta(button_state);
    mouse.wheel = static_cast<int16_t>(delta > 0 ? 1 : delta < 0 ? -1 : 0);
  }
  return true;
}

int WheelDelta(uint32_t button_state) { return static_cast<int16_t>(static_cast<uint16_t>(button_state >> 16)); }

int WheelNotches::Add(int delta) {
  const int64_t total = int64_t{rest_} + delta;
  rest_ = static_cast<int>(total % kNotch);
  return static_cast<int>(total / kNotch);
}

}  // namespace zul
