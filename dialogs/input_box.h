// The input box: one question, a hint, a one-line answer field and OK / Cancel
// buttons in a framed box, run until the user closes it. It draws only through the
// console device; it knows nothing of who asks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "base/code_page.h"
#include "base/text.h"
#include "device/console_device.h"
#include "device/monotonic_clock.h"
#include "dialogs/folder_look_ups.h"

namespace zul {

// How long typing must pause before the box looks up what the answer names.
constexpr int kTypingPauseMs = 300;

// Asks `question` and returns the answer as typed, or the empty text when the
// box is cancelled (Esc, Ctrl+C, the Cancel button, the end of the input).
// The box centres itself on the cell `column_position`, `row_position` (counted
// from 1 at the top left of the buffer) inside the visible window, and puts back
// what it covered, and the cursor, when it closes. Question, hint and the
// starting answer `default_answer` are shown byte for byte, read in `code_page`, in
// which typed characters become the answer's bytes; the answer holds at most `limit`
// bytes (a longer starting answer is cut to them). `clock` times pauses in typing.
//
// With a `folders` source the answer is a path, and the box helps to give one:
// 1. a note on a row of its own says what the answer names (a folder, nothing,
//    a file, a name the change refuses), once typing pauses for kTypingPauseMs,
//    and that it is still looking while a look-up is out; an empty answer has
//    no note;
// 2. Tab puts the first folder whose name completes the text before the caret
//    in its place, Tab again the next, Shift+Tab the one before; any other key
//    ends the round; when no folder completes it the field stays and the note
//    says so;
// 3. a paste goes in as the path it spells, its quoting taken away.
// Look-ups run off the thread that reads the keys (FolderLookUps); an answer is
// shown only while the field still holds the text it answers.
Text RunInputBox(ConsoleDevice& device, const CodePage& code_page, MonotonicClock& clock, int32_t column_position,
                 int32_t row_position, const Text& question, const Text& hint, const Text& default_answer,
                 std::size_t limit, std::shared_ptr<FolderSource> folders = nullptr);

}  // namespace zul
