// Changing the working directory and searching it with a wildcard pattern.
// Reading the working directory lives in system.h, starting programs in process.h.
// Every system call made here runs with the system's error dialogs suppressed.
#pragma once

#include <cstddef>
#include <vector>

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

// The look-ups behind the input box's help with a path. They keep no state and may be made
// on any thread; each suppresses the system's error dialogs for its own thread alone.

// What a path names, links followed, as a change into it would find it.
enum class PathKind { kNothing, kFolder, kOther };
PathKind KindOfPath(const Text& path);

// A folder of a listing: its name as stored, and whether the system counts it hidden
// (on POSIX: its name starts with a dot).
struct FolderEntry {
  Text name;
  bool hidden = false;
};
// The folders in `folder` (the working directory when empty), links to folders among them,
// "." and ".." left out, in the directory's own order; none when it cannot be read.
std::vector<FolderEntry> ListFolders(const Text& folder);

// The user's home folder (HOME, or the user's entry in the password database when HOME is
// unset or empty), and that of the user named `user`; the empty text where there is none,
// and always on Windows, which has no such notion for a path.
Text HomeFolder();
Text HomeFolderOf(const Text& user);

}  // namespace zul
