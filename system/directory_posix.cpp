#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string_view>
#include <vector>

#include "base/upper_case.h"
#include "base/wildcard.h"
#include "system/directory.h"
#include "system/directory_change.h"
#include "system/system.h"

namespace zul {

namespace {

// The process's one directory search: the open listing and what it looks for.
struct DirectorySearch {
  DIR* listing = nullptr;
  Text pattern;
  int filter = 0;
};

DirectorySearch& TheSearch() {
  static DirectorySearch search;
  return search;
}

void CloseSearch(DirectorySearch& search) {
  if (search.listing != nullptr) closedir(search.listing);
  search.listing = nullptr;
}

// Whether an entry of the listing is to be returned: its name matches as a whole, ASCII
// letters without regard to case and bytes from 0x80 up exactly; it is not hidden
// unless the filter admits hidden entries, it can be looked at (links followed), and it is
// not a directory unless the filter admits directories.
bool Admits(const DirectorySearch& search, const char* name) {
  const Text text(name);
  if (!MatchesWildcard<char>(search.pattern, text, AsciiCapital<char>)) return false;
  if (!text.empty() && text[0] == '.' && (search.filter & kSearchHidden) == 0) return false;
  struct stat status {};
  if (fstatat(dirfd(search.listing), name, &status, 0) != 0) return false;
  if (S_ISDIR(status.st_mode) && (search.filter & kSearchDirectories) == 0) return false;
  return true;
}

}  // namespace

bool ChangeWorkingDirectory(const Text& path) {
  const std::optional<Text> used = PathToChangeTo(path);
  if (!used) return false;
  ErrorDialogsSuppressed quiet;
  return chdir(used->c_str()) == 0;
}

Text StartDirectorySearch(const Text& pattern, int attribute_filter) {
  DirectorySearch& search = TheSearch();
  CloseSearch(search);
  if (pattern.find('\0') != Text::npos) return Text();
  search.pattern = pattern;
  search.filter = attribute_filter;
  {
    ErrorDialogsSuppressed quiet;
    search.listing = opendir(".");
  }
  return NextDirectoryName();
}

Text NextDirectoryName() {
  DirectorySearch& search = TheSearch();
  if (search.listing == nullptr) return Text();
  ErrorDialogsSuppressed quiet;
  // A read error ends the listing as its end does.
  while (const dirent* entry = readdir(search.listing)) {
    if (Admits(search, entry->d_name)) return Text(entry->d_name);
  }
  CloseSearch(search);
  return Text();
}

PathKind KindOfPath(const Text& path) {
  struct stat status {};
  if (path.empty() || path.find('\0') != Text::npos || stat(path.c_str(), &status) != 0) return PathKind::kNothing;
  return S_ISDIR(status.st_mode) ? PathKind::kFolder : PathKind::kOther;
}

std::vector<FolderEntry> ListFolders(const Text& folder) {
  std::vector<FolderEntry> folders;
  if (folder.find('\0') != Text::npos) return folders;
  DIR* listing = opendir(folder.empty() ? "." : folder.c_str());
  if (listing == nullptr) return folders;
  while (const dirent* entry = readdir(listing)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    bool is_folder = entry->d_type == DT_DIR;
    if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
      struct stat status {};
      is_folder = fstatat(dirfd(listing), entry->d_name, &status, 0) == 0 && S_ISDIR(status.st_mode);
    }
    if (is_folder) folders.push_back(FolderEntry{Text(name), name.front() == '.'});
  }
  closedir(listing);
  return folders;
}

namespace {

// The home folder of a password database entry found by `find` (getpwuid_r, getpwnam_r).
template <typename Find>
Text HomeFromDatabase(Find find) {
  passwd entry{};
  passwd* found = nullptr;
  std::vector<char> buffer(16384);
  if (find(&entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr || found->pw_dir == nullptr)
    return Text();
  return Text(found->pw_dir);
}

}  // namespace

Text HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0') return Text(home);
  return HomeFromDatabase([](passwd* entry, char* buffer, std::size_t size, passwd** found) {
    return getpwuid_r(getuid(), entry, buffer, size, found);
  });
}

Text HomeFolderOf(const Text& user) {
  if (user.empty() || user.find('\0') != Text::npos) return Text();
  return HomeFromDatabase([&](passwd* entry, char* buffer, std::size_t size, passwd** found) {
    return getpwnam_r(user.c_str(), entry, buffer, size, found);
  });
}

}  // namespace zul
