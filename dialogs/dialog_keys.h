// What the dialogs take a key or a click for, whichever reader brought it: a
// Windows console's records, a terminal's bytes, or a redirected input's bytes.
#pragma once

#include "device/input_events.h"

namespace zul {

// Esc, Ctrl+C (the C key with Ctrl, or the byte 0x03): the keys that cancel.
bool IsCancelKey(const KeyEvent& key);
// Esc: its key, or the character it types.
bool IsEscapeKey(const KeyEvent& key);
// Ctrl (without Alt) with the key of `letter`, a capital: how every reader reports
// the control character of that letter (the key table gives 0x01 as Ctrl+A).
bool IsCtrlLetter(const KeyEvent& key, char letter);
// Enter.
bool IsEnterKey(const KeyEvent& key);
// A key that types its character: U+0020 and above with neither Ctrl nor Alt
// held, or with both (AltGr, which types on many keyboards); never Backspace,
// Enter, Esc, Tab, nor Delete when it brings 0x7F. A dialog asks this before it
// reads navigation keys by their key code: typed punctuation may share a code
// with one ('.' and Delete).
bool IsTypedCharacter(const KeyEvent& key);
// A press of the left mouse button (a single or a double click).
bool IsLeftPress(const MouseEvent& mouse);
// A press with neither Ctrl nor Shift held.
bool IsPlainPress(const MouseEvent& mouse);
// Whether the left press `mouse` ends a double click: the console reports one and
// neither it nor the left press before it (`previous_plain`: that press was plain)
// had Ctrl or Shift held. Any other pair is two clicks, each doing what a click
// does, so that two quick Ctrl+clicks mark and unmark a name.
bool IsPlainDoubleClick(const MouseEvent& mouse, bool previous_plain);

}  // namespace zul
