// The POSIX signals whose default action ends a process, in one list, for the
// two places that must act before such an end: the terminal, given back as it
// was found, and the converter, which must not outlive the chooser. SIGKILL is
// not among them: it cannot be caught. POSIX only.
#pragma once

#include <span>

namespace zul {

// The signals a program's own fault raises: a bad address, an illegal or a
// trapping instruction, a bad system call, an abort.
std::span<const int> FaultSignals();

// Every other signal whose default action ends the process, the real-time
// signals included: those another process or the terminal sends to end it.
std::span<const int> EndingRequestSignals();

}  // namespace zul
