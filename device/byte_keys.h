// What one byte means as a key press, for the readers that get keys as bytes:
// the terminal decoder and the Windows device reading a redirected input. One
// table, so that a byte is the same key whichever way it comes in.
#pragma once

#include <cstdint>

#include "device/input_events.h"

namespace zul {

// The control characters keys type that the dialogs answer, as the key table
// below gives them.
namespace typed {
constexpr char32_t kCtrlC = 0x03;
constexpr char32_t kBackspace = 0x08;
constexpr char32_t kTab = 0x09;
constexpr char32_t kEnter = 0x0D;
constexpr char32_t kEscape = 0x1B;
constexpr char32_t kDelete = 0x7F;
}  // namespace typed

// The key press that the lone byte `byte` stands for, reported as a Windows
// console (US layout) reports the key that sends that byte on a terminal:
// - letters with their key code, capitals with Shift; digits with theirs; the
//   space with the space key; other printable bytes with key 0: the character
//   says it all; a byte from 0x80 on types nothing (alone it is no character);
// - CR and LF are Enter, typing CR; 0x08 and 0x7F Backspace, typing 0x08; Tab
//   and Esc their keys;
// - the other control bytes are Ctrl with the key that sends them, the byte
//   kept: 0x01-0x1A Ctrl with a letter (Ctrl+C types 0x03), 0x00 Ctrl+Space,
//   0x1C Ctrl+\, 0x1D Ctrl+], 0x1E Ctrl+Shift+6 (Ctrl+^), 0x1F Ctrl+Shift+-
//   (Ctrl+_).
KeyEvent ByteKey(uint8_t byte);

}  // namespace zul
