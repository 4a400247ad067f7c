// The last phase: back in the start-up directory, the converter is started once per
// chosen name, in order, each run awaited before the next; it reads no result.
#pragma once

#include "chooser/run_state.h"

namespace zul {

// The command line that hands one course file to the converter: its name, three
// blanks, the course directory prefix (trimmed) and `file` (ConverterFileName),
// neither quoted.
Text ConverterCommandLine(const Text& prefix, const Text& file);

// The name the converter gets for a chosen name: the chosen name itself, or,
// where the file system tells case apart, the spelling on disk of the very
// course file the user marked, found by the answer's field as the list box gave
// it (the n-th choice of a name that several files share is the n-th of those
// files). A spelling on disk keeps its blanks, which split the command line as
// every blank does.
Text ConverterFileName(const RunState& state, int chosen_entry);

// Returns to the start-up directory and starts the converter once per chosen
// name, in order, each run awaited before the next and each with the console lent
// to it (services.lender). Every failure is silent.
void RunConverterOnEachChoice(RunState& state, PhaseServices& services);

}  // namespace zul
