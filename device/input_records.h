// Turning what a Windows console reports into the device's input events and cell bytes:
// the fields of its key and mouse records, the characters of its cells, and plain bytes
// read when the input is a file or a pipe. Pure translations; reading them is the device's job.
#pragma once

#include <cstdint>

#include "device/console_device.h"

namespace zul {

// The byte a typed character stands for: a control character (below 0x20, or 0x7F) is its
// own byte, so Ctrl+C gives 0x03; any other character gives the CP437 byte whose glyph it
// is; 0 when no byte has it.
uint8_t TypedByte(char32_t character);

// The byte a console cell that shows `character` holds: as TypedByte, but '?' when no
// byte has that glyph. A blank reads back as 0x20.
uint8_t CellByte(char32_t character);

// A key press record: its virtual-key code, the character it typed and the control-key
// state, of which only the Alt, Ctrl and Shift bits are kept. Escape always types 0x1B, as
// on Windows, also where the console reports it without a character (wine does).
KeyEvent KeyFromRecord(uint16_t virtual_key, char32_t character, uint32_t control_state);

// Whether a key record gives a key: every press does; of the releases only that of Alt
// (VK_MENU) with a character that is not a control character, which is how the console
// delivers a character typed with Alt and the numeric keypad, or pasted with no key on the
// layout. Every other release, a control character on an Alt release included, gives none.
bool TakesKeyRecord(uint16_t virtual_key, bool key_down, char32_t character);

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

// Keys from bytes read one by one when the input is not a console and no sequence decoding
// is done: each byte is the key ByteKey gives it (0x03 is Ctrl+C, 0x1B Escape), but that a
// carriage return followed by a line feed is one Enter.
class PlainByteKeys {
 public:
  // The key that `byte` gives; false when it gives none (the line feed of a pair).
  bool Next(uint8_t byte, KeyEvent& key);

 private:
  bool after_carriage_return_ = false;
};

}  // namespace zul
