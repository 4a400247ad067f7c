#pragma once

#include "chooser/run_state.h"

namespace zul {

// Offers the course files in the list box and splits the answer into the chosen names.
void SelectCourseFiles(RunState& state, Services& services);

}  // namespace zul
