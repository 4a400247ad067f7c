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

// A mouse record: the buttons held (left, right, middle), the modifiers, the kind of event
// and, for a wheel turn, its direction from the sign of the high word of the button state.
// False for a record the device does not report (a horizontal wheel turn).
bool MouseFromRecord(Coord position, uint32_t button_state, uint32_t control_state, uint32_t event_flags,
                     MouseEvent& mouse);

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
