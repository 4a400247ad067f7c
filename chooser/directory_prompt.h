#pragma once

#include "chooser/run_state.h"

namespace zul {

// Asks where the course files are. On an answer naming a directory that the
// working directory can change into, keeps the course directory prefix: the
// answer and one separator. Otherwise nothing changes.
void PromptForCourseDirectory(RunState& state, Services& services);

}  // namespace zul
