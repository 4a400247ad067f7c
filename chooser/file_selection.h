// The third phase: offers the course files in the multiple-selection list box and
// turns its answer, names separated by zero bytes, into the chosen-name table.
#pragma once

#include <string_view>

#include "chooser/run_state.h"

namespace zul {

// Field `field` (from 1) of the list box's answer as the box gave it, before any
// trim: the bytes between the (field - 1)-th and the field-th zero byte, the
// answer's start and end counting as such; empty beyond the last field.
std::string_view SelectionField(std::string_view selection, int field);

// Splits the list box's answer into the chosen-name table: fields 1 to
// `field_count`, separated by zero bytes, each trimmed of blanks and stored in
// the entry of its number; the non-empty ones are counted. Fields past the
// table's last entry are not stored.
void SplitSelection(const Text& selection, int field_count, ChosenNameTable& chosen, int16_t& chosen_count);

// Offers the course files in the list box, headed by the working directory,
// and turns the answer into the chosen names and their count.
void SelectCourseFiles(RunState& state, PhaseServices& services);

}  // namespace zul
