// Turning what a Windows console reports into the device's input events: the fields of
// its key and mouse records. Pure translations; reading them is the device's job.
#pragma once

#include <cstdint>

#include "base/code_page.h"
#include "device/console_device.h"

namespace zul {

// A key press record: its virtual-key code, the character it typed (a control character
// too: Ctrl+C types U+0003) and the control-key state, of which only the Alt, Ctrl and
// Shift bits are kept. Escape always types 0x1B, as on Windows, also where the console
// reports it without a character (wine does).
KeyEvent KeyFromRecord(uint16_t virtual_key, char32_t character, uint32_t control_state);

// Whether a key record gives a key: every press does; of the releases only that of Alt
// (VK_MENU) with a character that is not a control character, which is how the console
// delivers a character typed with Alt and the numeric keypad, or pasted with no key on the
// layout. Every other release, a control character on an Alt release included, gives none.
bool TakesKeyRecord(uint16_t virtual_key, bool key_down, char32_t character);

// The keys of a console's key records, read in order, with the two halves of a character
// beyond the 16 bits of a UTF-16 unit joined: a high half waits for the low half that the
// next record carrying a character (a press, or Alt's release, as TakesKeyRecord takes
// them) brings, and the two type that character together. Any other character in between
// drops the waiting half; records without a character (the Alt press and keypad digits
// around a character typed with Alt, other releases) leave it waiting. A half alone is
// never typed.
class KeyRecordKeys {
 public:
  // The key a record gives; false when it gives none: a release TakesKeyRecord passes
  // over, a high half that now waits, a low half with none waiting.
  bool Next(uint16_t virtual_key, bool key_down, char16_t unit, uint32_t control_state, KeyEvent& key);

 private:
  char16_t waiting_high_ = 0;
};

// A mouse record: the buttons held (left, right, middle), the modifiers, the kind of event
// and, for a wheel turn, its direction from the sign of the high word of the button state.
// False for a record the device does not report (a horizontal wheel turn).
bool MouseFromRecord(Coord position, uint32_t button_state, uint32_t control_state, uint32_t event_flags,
                     MouseEvent& mouse);

// The signed turn of a wheel record: the high word of its button state, 120 (one notch of a
// wheel) or a piece of it, positive away from the user.
int WheelDelta(uint32_t button_state);

// Wheel turns added up into whole notches of 120: a precision touchpad sends many small
// pieces, which each must not scroll as a notch. What is left over is kept for the next.
class WheelNotches {
 public:
  static constexpr int kNotch = 120;

  // Adds `delta`; gives the whole notches now complete, signed as the turn (positive away
  // from the user), and keeps the rest, whose size stays below a notch.
  int Add(int delta);

 private:
  int rest_ = 0;
};

}  // namespace zul
