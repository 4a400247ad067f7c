#pragma once

#include "chooser/run_state.h"

namespace zul {

// Asks where the course files are, changes into that directory and keeps the course directory prefix.
void PromptForCourseDirectory(RunState& state, Services& services);

}  // namespace zul
