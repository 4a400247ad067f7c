// The input box of the console-tools library: one question, a hint, a one-line
// answer field and OK / Cancel buttons in a framed box, run until the user closes
// it. It draws only through the console device; it does not know the chooser.
#pragma once

#include <cstdint>

#include "base/text.h"
#include "device/console_device.h"

namespace zul {

// The most bytes an answer may hold, whatever the caller asks for.
constexpr int32_t kInputBoxLimit = 32768;

// Asks `question` and returns the answer as typed, or the empty text when the
// box is cancelled (Esc, Ctrl+C, the Cancel button, the end of the input).
// The box centres itself on the cell `column_position`, `row_position` (counted
// from 1 at the top left of the buffer) inside the visible window, and puts back
// what it covered, and the cursor, when it closes. Question, hint and the
// starting answer `default_answer` are shown byte for byte. Every value of
// `buttons` gives OK and Cancel; the field always has the focus, whatever
// `focus` says. `max_length` is the most bytes the answer may hold; 0, negative
// or larger values mean kInputBoxLimit.
Text RunInputBox(ConsoleDevice& device, int32_t buttons, int32_t column_position, int32_t row_position,
                 const Text& question, const Text& hint, const Text& default_answer, int32_t focus,
                 int32_t max_length);

}  // namespace zul
