// The first phase: asks where the course files are and, on an answer naming a
// directory, makes it the working directory and keeps it as the prefix the converter
// runs put before each name.
#pragma once

#include "chooser/run_state.h"

namespace zul {

// Asks where the course files are. On an answer naming a directory that the
// working directory can change into, keeps the course directory prefix: the
// answer and one separator. Otherwise nothing changes.
void PromptForCourseDirectory(RunState& state, PhaseServices& services);

}  // namespace zul
