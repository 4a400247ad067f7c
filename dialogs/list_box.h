// The list box: a framed box that offers names, lets the user mark one or several
// of them and answers the marked names, with ranges, a filter and type-ahead to
// find them. It draws only through the console device and keeps its state in a
// ListBoxModel (list_box_model.h); it knows nothing of where the names came from.
#pragma once

#include <cstdint>
#include <vector>

#include "base/code_page.h"
#include "base/text.h"
#include "device/console_device.h"
#include "device/monotonic_clock.h"
#include "dialogs/list_box_model.h"

namespace zul {

// Runs the list box over `names`, in their order, until it closes and returns the
// answer: on OK (Enter, the OK button, a double click on a name)
// ListBoxModel::Answer(), on Cancel (Esc when no filter is in force, Ctrl+C, the
// Cancel button, the end of the input) the empty text. `left`, `top` > 0 put the
// box's top-left corner at that column and row, counted from 1 at the top left of
// the buffer, moved into the window; 0 or less centres it in the window on that
// axis. `multiple` lets several names be marked, else one. `first_shown` is the
// name the highlight starts on, counted from 0; outside the names it starts on
// the first. Heading, hint and names are shown byte for byte, read in `code_page`;
// `clock` times pauses in type-ahead. What the box covered, and the cursor, are put
// back when it closes.
Text RunListBox(ConsoleDevice& device, const CodePage& code_page, MonotonicClock& clock, int32_t left, int32_t top,
                const Text& heading, const Text& hint, std::vector<Text> names, bool multiple, int first_shown);

}  // namespace zul
