// The input box: one question, a hint, a one-line answer field and OK / Cancel
// buttons in a framed box, run until the user closes it. It draws only through the
// console device; it knows nothing of who asks.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/text.h"
#include "device/console_device.h"

namespace zul {

// Asks `question` and returns the answer as typed, or the empty text when the
// box is cancelled (Esc, Ctrl+C, the Cancel button, the end of the input).
// The box centres itself on the cell `column_position`, `row_position` (counted
// from 1 at the top left of the buffer) inside the visible window, and puts back
// what it covered, and the cursor, when it closes. Question, hint and the
// starting answer `default_answer` are shown byte for byte; the answer holds at
// most `limit` bytes (a longer starting answer is cut to them).
Text RunInputBox(ConsoleDevice& device, int32_t column_position, int32_t row_position, const Text& question,
                 const Text& hint, const Text& default_answer, std::size_t limit);

}  // namespace zul
