// The rule of changing the working directory, apart from the system call each
// platform makes with what it gives: which bytes of a path are used, and which paths
// are refused without asking the system. Pure.
#pragma once

#include <optional>

#include "base/text.h"

namespace zul {

// The path that a change to `path` hands the system: its first kMaxDirectoryPath bytes;
// nothing when those hold '*' or '?' (a pattern, not a directory) or a zero byte, where
// the system call would silently stop reading.
std::optional<Text> PathToChangeTo(const Text& path);

}  // namespace zul
