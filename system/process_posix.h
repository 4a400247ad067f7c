// The POSIX program search that StartAndWait uses, shown here so that it can be tested alone.
// It starts nothing; process_posix.cpp does.
#pragma once

#include "base/text.h"

namespace zul {

// The file that runs for the program word `word`, or the empty text when there is none. A word
// holding '/' is a path, taken relative to `working_directory` unless it is absolute. Any other
// word is looked for in `own_directory`, then `working_directory`, then each directory of
// `path_variable` (separated by ':') in turn; empty directories are skipped. The name is tried
// only as given, and it must be a regular file (links followed) that may be executed. In the
// first two directories it is taken only where no other user can have put or changed it
// (program_trust.h: the file, the folder it is found in and the one it leads to, and every
// folder above them); otherwise the search goes on.
Text FindProgram(const Text& word, const Text& own_directory, const Text& working_directory,
                 const Text& path_variable);

}  // namespace zul
