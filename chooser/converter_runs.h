// The last phase: back in the start-up directory, the converter is started once per
// chosen name, in order, each run awaited before the next; it reads no result.
#pragma once

#include "chooser/run_state.h"

namespace zul {

// The command line that hands one course file to the converter: its name, three
// blanks, the course directory prefix and the file's name, neither quoted.
Text ConverterCommandLine(const Text& prefix, const Text& name);

// The name the converter gets for a chosen name: the name itself, or, where the
// file system tells case apart, the spelling on disk of the course file it
// stands for (the n-th choice of a name that several files share is the n-th of
// those files).
Text ConverterFileName(const RunState& state, int chosen_entry);

// Returns to the start-up directory and starts the converter once per chosen
// name, in order, each run awaited before the next. Every failure is silent.
void RunConverterOnEachChoice(RunState& state, PhaseServices& services);

}  // namespace zul
