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

}  // namespace zul
