// The POSIX directory search's name matching, shown here so that it can be tested alone.
// It reads no directory; directory_posix.cpp does.
#pragma once

#include "base/text.h"

namespace zul {

// Whether `name` as a whole matches `pattern`: '*' stands for any run of bytes (also none),
// '?' for exactly one byte, every other byte for itself with ASCII letters matched without
// regard to case. Bytes from 0x80 up are compared exactly.
bool MatchesWildcard(const Text& pattern, const Text& name);

}  // namespace zul
