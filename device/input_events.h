// The console's input: the modes that decide what comes, the keys, modifiers and
// mouse buttons by their Windows values, and the events a console device gives.
#pragma once

#include <cstdint>
#include <string>

#include "device/cell.h"

namespace zul {

// Console input modes (the Windows ENABLE_* values).
namespace input_mode {
constexpr uint32_t kProcessed = 0x0001;
constexpr uint32_t kLine = 0x0002;
constexpr uint32_t kEcho = 0x0004;
constexpr uint32_t kMouse = 0x0010;
constexpr uint32_t kInsert = 0x0020;
constexpr uint32_t kQuickEdit = 0x0040;
constexpr uint32_t kExtendedFlags = 0x0080;
constexpr uint32_t kAutoPosition = 0x0100;

// The mode of a new console: processed, line and echo input, mouse input, insert
// and quick edit on, as Windows reports it (with the extended flags and auto
// position).
constexpr uint32_t kFreshConsole =
    kProcessed | kLine | kEcho | kMouse | kInsert | kQuickEdit | kExtendedFlags | kAutoPosition;
// The mode a child process is handed the console in: the console's own line
// editing, echo, and Ctrl+C as a signal.
constexpr uint32_t kChild = kProcessed | kLine | kEcho;

}  // namespace input_mode

// Virtual-key codes of the keys the dialogs use, the byte keys report and the device
// reads (the Windows VK_* values; the OEM keys as a US layout places them).
namespace vk {
constexpr uint16_t kBack = 0x08;
constexpr uint16_t kTab = 0x09;
constexpr uint16_t kReturn = 0x0D;
constexpr uint16_t kMenu = 0x12;  // Alt
constexpr uint16_t kEscape = 0x1B;
constexpr uint16_t kSpace = 0x20;
constexpr uint16_t kPrior = 0x21;  // Page Up
constexpr uint16_t kNext = 0x22;   // Page Down
constexpr uint16_t kEnd = 0x23;
constexpr uint16_t kHome = 0x24;
constexpr uint16_t kLeft = 0x25;
constexpr uint16_t kUp = 0x26;
constexpr uint16_t kRight = 0x27;
constexpr uint16_t kDown = 0x28;
constexpr uint16_t kInsert = 0x2D;
constexpr uint16_t kDelete = 0x2E;
constexpr uint16_t kF1 = 0x70;               // F1..F12 are consecutive
constexpr uint16_t kOemMinus = 0xBD;         // - and _
constexpr uint16_t kOemBackslash = 0xDC;     // \ and | (VK_OEM_5)
constexpr uint16_t kOemCloseBracket = 0xDD;  // ] and } (VK_OEM_6)
}  // namespace vk

// Modifier keys held with a key or mouse event (Windows dwControlKeyState bits).
namespace modifier {
constexpr uint32_t kRightAlt = 0x0001;
constexpr uint32_t kLeftAlt = 0x0002;
constexpr uint32_t kRightCtrl = 0x0004;
constexpr uint32_t kLeftCtrl = 0x0008;
constexpr uint32_t kShift = 0x0010;
constexpr uint32_t kAlt = kRightAlt | kLeftAlt;
constexpr uint32_t kCtrl = kRightCtrl | kLeftCtrl;
}  // namespace modifier

// Mouse buttons held (dwButtonState bits) and the kind of mouse event (dwEventFlags).
namespace mouse {
constexpr uint32_t kLeftButton = 0x0001;
constexpr uint32_t kRightButton = 0x0002;
constexpr uint32_t kMiddleButton = 0x0004;
constexpr uint32_t kMoved = 0x0001;
constexpr uint32_t kDoubleClick = 0x0002;
constexpr uint32_t kWheeled = 0x0004;
constexpr uint32_t kHorizontallyWheeled = 0x0008;
}  // namespace mouse

// A key pressed: its virtual-key code, the character it types (0 when it types
// none; Ctrl+C types U+0003) and the modifiers held. Only key presses are reported.
struct KeyEvent {
  uint16_t key = 0;
  char32_t character = 0;
  uint32_t modifiers = 0;
};

// A mouse event in buffer coordinates: the buttons held after it, the modifiers,
// the kind (0 for a press or release, else mouse::k* flags) and, for a wheel
// event, the direction: positive away from the user (up), negative towards.
struct MouseEvent {
  Coord position;
  uint32_t buttons = 0;
  uint32_t modifiers = 0;
  uint32_t flags = 0;
  int16_t wheel = 0;
};

struct InputEvent {
  enum class Kind { kKey, kMouse, kResize, kPaste, kEnd };
  Kind kind = Kind::kEnd;
  KeyEvent key;
  MouseEvent mouse;
  Coord size;             // kResize: the new size of the screen that shows the window
  std::u32string pasted;  // kPaste: the characters pasted, none of them a control character
};

}  // namespace zul
