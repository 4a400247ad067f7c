// Changing the working directory and searching it with a wildcard pattern.
// Reading the working directory lives in system.h, starting programs in process.h.
// Every system call made here runs with the system's error dialogs suppressed.
#pragma once

#include <cstddef>

#include "base/text.h"

namespace zul {

// The bytes of a directory path that reach the operating system; the rest is cut off.
constexpr std::size_t kMaxDirectoryPath = 255;

// Changes the working directory to `path`, cut to its first kMaxDirectoryPath bytes. A cut path
// holding '*' or '?' is refused without asking the system, and so is one holding a zero byte,
// which the system call would silently shorten. Relative paths and a trailing separator are
// taken as the system takes them. Returns whether the directory changed; a failure changes
// nothing.
bool ChangeWorkingDirectory(const Text& path);

// Attribute-filter bits: the kinds of entry a search returns besides plain files. With a
// filter of 0 only entries that are neither hidden, nor system files, nor directories are
// returned. On POSIX "hidden" means a name starting with '.', and nothing is a system file.
constexpr int kSearchHidden = 0x02;
constexpr int kSearchSystem = 0x04;
constexpr int kSearchDirectories = 0x10;

// Starts a search of the working directory for names matching `pattern` (the system's
// wildcards: '*' any run of bytes, '?' any one byte, letters matched without regard to case),
// abandoning any search still open, and returns the first name. There is one search at a
// time for the whole process. Names come exactly as stored, in the directory's own order.
// The empty text means no match, a missing or unreadable directory, or a bad pattern.
Text StartDirectorySearch(const Text& pattern, int attribute_filter);

// The next name of the open search, or the empty text at its end. The search closes itself
// at the end, and every request after that (or before any start) gives the empty text at once.
Text NextDirectoryName();

}  // namespace zul
