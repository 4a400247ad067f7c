#include "tests/support/events.h"

namespace zul::testing {

InputEvent Key(uint16_t key, char32_t character, uint32_t modifiers) {
  InputEvent event;
  event.kind = InputEvent::Kind::kKey;
  event.key = KeyEvent{key, character, modifiers};
  return event;
}

std::vector<InputEvent> Typed(std::string_view bytes) {
  std::vector<InputEvent> events;
  for (std::size_t at = 0; at < bytes.size();) {
    const Spelled spelled = Utf8CodePage().Decode(bytes.substr(at));
    if (spelled.length == 0) {
      ++at;
      continue;
    }
    at += spelled.length;
    const char32_t byte = spelled.character;
    uint16_t key = 0;
    uint32_t modifiers = 0;
    if (byte >= 'a' && byte <= 'z') {
      key = static_cast<uint16_t>(byte - 'a' + 'A');
    } else if (byte >= 'A' && byte <= 'Z') {
      key = static_cast<uint16_t>(byte);
      modifiers = modifier::kShift;
    } else if ((byte >= '0' && byte <= '9') || byte == ' ') {
      key = static_cast<uint16_t>(byte);
    }
    events.push_back(Key(key, byte, modifiers));
  }
  return events;
}

InputEvent Enter() { return Key(vk::kReturn, 0x0D); }
InputEvent Esc() { return Key(vk::kEscape, 0x1B); }
InputEvent CtrlC() { return Key('C', 0x03, modifier::kLeftCtrl); }

namespace {
InputEvent Mouse(int x, int y, uint32_t buttons, uint32_t modifiers, uint32_t flags, int16_t wheel) {
  InputEvent event;
  event.kind = InputEvent::Kind::kMouse;
  event.mouse.position = Coord{static_cast<int16_t>(x), static_cast<int16_t>(y)};
  event.mouse.buttons = buttons;
  event.mouse.modifiers = modifiers;
  event.mouse.flags = flags;
  event.mouse.wheel = wheel;
  return event;
}
}  // namespace

InputEvent Click(int x, int y, uint32_t modifiers) { return Mouse(x, y, mouse::kLeftButton, modifiers, 0, 0); }
InputEvent Release(int x, int y) { return Mouse(x, y, 0, 0, 0, 0); }
InputEvent DoubleClick(int x, int y, uint32_t modifiers) {
  return Mouse(x, y, mouse::kLeftButton, modifiers, mouse::kDoubleClick, 0);
}
InputEvent Wheel(int x, int y, int16_t delta) { return Mouse(x, y, 0, 0, mouse::kWheeled, delta); }

InputEvent Resize(int columns, int rows) {
  InputEvent event;
  event.kind = InputEvent::Kind::kResize;
  event.size = Coord{static_cast<int16_t>(columns), static_cast<int16_t>(rows)};
  return event;
}

InputEvent Paste(std::u32string_view text) {
  InputEvent event;
  event.kind = InputEvent::Kind::kPaste;
  event.pasted = text;
  return event;
}

InputEvent EndOfInput() {
  InputEvent event;
  event.kind = InputEvent::Kind::kEnd;
  return event;
}

}  // namespace zul::testing
