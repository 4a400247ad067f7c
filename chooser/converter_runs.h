#pragma once

#include "chooser/run_state.h"

namespace zul {

// Starts the converter once per chosen name, one run after the other, from the start-up directory.
void RunConverter(RunState& state, Services& services);

}  // namespace zul
