// Starting another program and waiting for it to end, as the chooser runs its converter.
// It does not hand the console over; the caller does that around the run.
#pragma once

#include "base/text.h"

namespace zul {

// Starts the program named by the first word of `command_line` and waits for it to end.
// Only the first kMaxCommandLine bytes (command_line.h) are used, and a zero byte ends the line
// there. No command interpreter is involved: the line reaches the program as it stands. The
// program is looked for in the chooser's own directory, then the working directory, then the
// system's search path (on POSIX the first two count only where no other user can have put the
// program); it inherits the environment, the working directory and the console.
// Returns whether a program was started (it has then ended); the exit status is not looked at.
// The system's error dialogs are suppressed during the start and the wait.
bool StartAndWait(const Text& command_line);

}  // namespace zul
