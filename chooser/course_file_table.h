#pragma once

#include "chooser/run_state.h"

namespace zul {

// Lists the course files of the working directory into the course file table.
void BuildCourseFileTable(RunState& state, Services& services);

}  // namespace zul
