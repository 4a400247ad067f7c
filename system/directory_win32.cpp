#include <windows.h>

#include <optional>

#include "system/directory.h"
#include "system/directory_change.h"
#include "system/system.h"

namespace zul {

namespace {

// The process's one directory search: the open find handle and the kinds of entry it admits.
struct DirectorySearch {
  HANDLE find = INVALID_HANDLE_VALUE;
  int filter = 0;
};

DirectorySearch& TheSearch() {
  static DirectorySearch search;
  return search;
}

void CloseSearch(DirectorySearch& search) {
  if (search.find != INVALID_HANDLE_VALUE) {
    ErrorDialogsSuppressed quiet;
    FindClose(search.find);
  }
  search.find = INVALID_HANDLE_VALUE;
}

// The system matches the pattern but returns every kind of entry: hidden, system and
// directory entries are left out here unless the filter admits them.
bool Admits(const DirectorySearch& search, const WIN32_FIND_DATAA& entry) {
  const DWORD kinds = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
  return (entry.dwFileAttributes & kinds & ~static_cast<DWORD>(search.filter)) == 0;
}

// Reads the next entry into `entry`; at the end of the listing closes the search and
// returns false.
bool ReadNext(DirectorySearch& search, WIN32_FIND_DATAA& entry) {
  BOOL found;
  {
    ErrorDialogsSuppressed quiet;
    found = FindNextFileA(search.find, &entry);
  }
  if (!found) CloseSearch(search);
  return found != 0;
}

// The first admitted entry from `entry` on, reading on as needed; the empty text at the
// end of the listing.
Text FirstAdmitted(DirectorySearch& search, WIN32_FIND_DATAA& entry) {
  for (;;) {
    if (Admits(search, entry)) return Text(entry.cFileName);
    if (!ReadNext(search, entry)) return Text();
  }
}

// The system's error dialogs suppressed for this thread alone while this lives, so that a
// look-up on another thread than the chooser's leaves the chooser's error mode alone.
class ThreadErrorDialogsSuppressed {
 public:
  ThreadErrorDialogsSuppressed() { SetThreadErrorMode(kQuietErrorMode, &previous_); }
  ~ThreadErrorDialogsSuppressed() { SetThreadErrorMode(previous_, nullptr); }
  ThreadErrorDialogsSuppressed(const ThreadErrorDialogsSuppressed&) = delete;
  ThreadErrorDialogsSuppressed& operator=(const ThreadErrorDialogsSuppressed&) = delete;

 private:
  DWORD previous_ = 0;
};

}  // namespace

bool ChangeWorkingDirectory(const Text& path) {
  const std::optional<Text> used = PathToChangeTo(path);
  if (!used) return false;
  ErrorDialogsSuppressed quiet;
  return SetCurrentDirectoryA(used->c_str()) != 0;
}

Text StartDirectorySearch(const Text& pattern, int attribute_filter) {
  DirectorySearch& search = TheSearch();
  CloseSearch(search);
  if (pattern.find('\0') != Text::npos) return Text();
  search.filter = attribute_filter;
  WIN32_FIND_DATAA entry{};
  {
    ErrorDialogsSuppressed quiet;
    search.find = FindFirstFileA(pattern.c_str(), &entry);
  }
  if (search.find == INVALID_HANDLE_VALUE) return Text();
  return FirstAdmitted(search, entry);
}

Text NextDirectoryName() {
  DirectorySearch& search = TheSearch();
  if (search.find == INVALID_HANDLE_VALUE) return Text();
  WIN32_FIND_DATAA entry{};
  if (!ReadNext(search, entry)) return Text();
  return FirstAdmitted(search, entry);
}

PathKind KindOfPath(const Text& path) {
  if (path.empty() || path.find('\0') != Text::npos) return PathKind::kNothing;
  ThreadErrorDialogsSuppressed quiet;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::kNothing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::kFolder : PathKind::kOther;
}

// A folder's entries are found with the pattern * in it: "dir\*", or "C:*" and "dir\*" where
// the folder already ends in a separator or is a drive.
std::vector<FolderEntry> ListFolders(const Text& folder) {
  std::vector<FolderEntry> folders;
  if (folder.find('\0') != Text::npos) return folders;
  const bool ends_open = folder.empty() || folder.back() == '\\' || folder.back() == '/' || folder.back() == ':';
  const Text pattern = folder + (ends_open ? "*" : "\\*");
  ThreadErrorDialogsSuppressed quiet;
  WIN32_FIND_DATAA entry{};
  const HANDLE find = FindFirstFileA(pattern.c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return folders;
  do {
    const Text name(entry.cFileName);
    if (name == "." || name == ".." || (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) continue;
    folders.push_back(FolderEntry{name, (entry.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0});
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return folders;
}

Text HomeFolder() { return Text(); }
Text HomeFolderOf(const Text&) { return Text(); }

}  // namespace zul
