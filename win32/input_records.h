// Turning what a Windows console reports into the device's input events: the fields of
// its key and mouse records, and plain bytes read when the input is a file or a pipe. Pure translations; reading
// them is the device's job.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

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

// How a Windows console holds the halves of an East Asian wide character: both cells
// hold the character, the left one flagged as the leading half, the right one as the
// trailing half (COMMON_LVB_LEADING_BYTE and COMMON_LVB_TRAILING_BYTE).
constexpr uint16_t kLeadingHalf = 0x0100;
constexpr uint16_t kTrailingHalf = 0x0200;

// A console cell as WriteConsoleOutputW and ReadConsoleOutputW take it: one UTF-16 unit
// and the attribute bits.
struct ConsoleCell {
  char16_t character = u' ';
  uint16_t attributes = 0;
  bool operator==(const ConsoleCell&) const = default;
};

// The console cell that shows `cells[index]`: its character (control characters as their
// glyphs; one beyond the 16 bits of a unit as U+FFFD) with the halves of a wide character
// flagged. A half whose other half is not beside it in `cells` shows as a blank.
ConsoleCell ToConsoleCell(std::span<const Cell> cells, std::size_t index);

// The cell a console cell read back holds: the right half of a wide character as
// kRightHalf, a zero unit as a blank, the attribute without the halves' flags.
Cell FromConsoleCell(ConsoleCell cell);

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
// is done: each ASCII byte is the key ByteKey gives it (0x03 is Ctrl+C, 0x1B Escape), but
// that a carriage return followed by a line feed is one Enter; bytes from 0x80 on type the
// character they spell in the program's code page.
class PlainByteKeys {
 public:
  // The key that `byte` gives; false when it gives none yet (the line feed of a pair, a
  // byte of a character not yet whole, bytes that spell nothing).
  bool Next(uint8_t byte, const CodePage& code_page, KeyEvent& key);

 private:
  static constexpr std::size_t kMostPending = 4;
  bool after_carriage_return_ = false;
  std::string pending_;
};

}  // namespace zul
