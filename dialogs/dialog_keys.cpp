#include "dialogs/dialog_keys.h"

#include "device/byte_keys.h"

namespace zul {

bool IsEscapeKey(const KeyEvent& key) { return key.key == vk::kEscape || key.character == typed::kEscape; }

bool IsCtrlLetter(const KeyEvent& key, char letter) {
  return key.key == static_cast<uint16_t>(letter) && (key.modifiers & modifier::kCtrl) != 0 &&
         (key.modifiers & modifier::kAlt) == 0;
}

bool IsCancelKey(const KeyEvent& key) {
  return IsEscapeKey(key) || key.character == typed::kCtrlC || IsCtrlLetter(key, 'C');
}

bool IsEnterKey(const KeyEvent& key) {
  return key.key == vk::kReturn || (key.key == 0 && key.character == typed::kEnter);
}

bool IsTypedCharacter(const KeyEvent& key) {
  if (key.character < 0x20) return false;
  switch (key.key) {
    case vk::kBack:
    case vk::kReturn:
    case vk::kEscape:
    case vk::kTab:
      return false;
    case vk::kDelete:
      if (key.character == typed::kDelete) return false;
      break;
    default:
      break;
  }
  const bool ctrl = (key.modifiers & modifier::kCtrl) != 0;
  const bool alt = (key.modifiers & modifier::kAlt) != 0;
  return ctrl == alt;
}

bool IsLeftPress(const MouseEvent& mouse) {
  return (mouse.buttons & mouse::kLeftButton) != 0 && (mouse.flags == 0 || mouse.flags == mouse::kDoubleClick);
}

bool IsPlainPress(const MouseEvent& mouse) {
  return (mouse.modifiers & (modifier::kCtrl | modifier::kShift)) == 0;
}

bool IsPlainDoubleClick(const MouseEvent& mouse, bool previous_plain) {
  return mouse.flags == mouse::kDoubleClick && previous_plain && IsPlainPress(mouse);
}

}  // namespace zul
