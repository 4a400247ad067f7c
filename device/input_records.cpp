#include "device/input_records.h"

#include "device/byte_keys.h"
#include "device/cp437.h"

namespace zul {

namespace {

constexpr uint32_t kModifierBits = 0x1F;
constexpr uint32_t kButtonBits = 0x07;
constexpr uint32_t kEventKindBits = 0x07;
constexpr uint32_t kHorizontalWheel = 0x08;

bool IsControlCharacter(char32_t character) { return character < 0x20 || character == 0x7F; }

}  // namespace

uint8_t TypedByte(char32_t character) {
  if (IsControlCharacter(character)) return static_cast<uint8_t>(character);
  uint8_t byte = 0;
  return Cp437Byte(character, byte) ? byte : 0;
}

uint8_t CellByte(char32_t character) {
  if (IsControlCharacter(character)) return static_cast<uint8_t>(character);
  uint8_t byte = 0;
  return Cp437Byte(character, byte) ? byte : '?';
}

KeyEvent KeyFromRecord(uint16_t virtual_key, char32_t character, uint32_t control_state) {
  KeyEvent key{virtual_key, TypedByte(character), control_state & kModifierBits};
  if (virtual_key == vk::kEscape && key.byte == 0) key.byte = 0x1B;
  return key;
}

bool TakesKeyRecord(uint16_t virtual_key, bool key_down, char32_t character) {
  if (key_down) return true;
  return virtual_key == vk::kMenu && character != 0 && !IsControlCharacter(character);
}

bool MouseFromRecord(Coord position, uint32_t button_state, uint32_t control_state, uint32_t event_flags,
                     MouseEvent& mouse) {
  if (event_flags & kHorizontalWheel) return false;
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

bool PlainByteKeys::Next(uint8_t byte, KeyEvent& key) {
  const bool pair_end = after_carriage_return_ && byte == '\n';
  after_carriage_return_ = byte == '\r';
  if (pair_end) return false;
  key = ByteKey(byte);
  return true;
}

}  // namespace zul
