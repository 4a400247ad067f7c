// The chooser's whole control flow: shape the console window, then run the
// four phases once each, in order. There is no loop and nothing to undo.
#pragma once

#include "chooser/run_state.h"

namespace zul {

// Window set-up: the console-tools decoration calls, the start-up directory,
// the colours, sizes, captions and window menu of the chooser's window.
void SetUpWindow(RunState& state, PhaseServices& services, void* instance);

// One whole run: set-up, then the directory prompt, the course file table, the
// file selection and the converter runs. Returns the exit code, always 0.
int RunChooser(PhaseServices& services, void* instance);

}  // namespace zul
