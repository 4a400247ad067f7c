#include "system/process_posix.h"

#include <errno.h>
#include <grp.h>
#include <limits.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "system/command_line.h"
#include "system/process.h"
#include "system/program_trust.h"
#include "system/system.h"

extern char** environ;

namespace zul {

namespace {

bool IsExecutableFile(const Text& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return false;
  return S_ISREG(status.st_mode) && access(path.c_str(), X_OK) == 0;
}

Text JoinPath(const Text& directory, const Text& name) {
  if (!directory.empty() && directory.back() == '/') return directory + name;
  return directory + "/" + name;
}

// What the user and group databases say of group `group_id` of a place that `owner_id` owns.
GroupFacts LookUpGroup(uid_t owner_id, gid_t group_id) {
  std::optional<UserRecord> owner;
  if (const passwd* entry = getpwuid(owner_id); entry != nullptr)
    owner = UserRecord{entry->pw_name, static_cast<uint32_t>(entry->pw_gid)};
  std::optional<GroupRecord> owner_group;
  if (const group* entry = getgrgid(group_id); entry != nullptr) {
    owner_group = GroupRecord{static_cast<uint32_t>(entry->gr_gid), entry->gr_name, {}};
    for (char** member = entry->gr_mem; member != nullptr && *member != nullptr; ++member)
      owner_group->members.emplace_back(*member);
  }
  return DescribeGroup(owner, owner_group);
}

// Reads the facts of `path` (links followed) into `place`; false when stat cannot.
bool ReadPlace(const Text& path, PlaceFacts& place) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return false;
  place.mode = status.st_mode;
  place.owner = status.st_uid;
  if ((status.st_mode & S_IWGRP) != 0) place.group = LookUpGroup(status.st_uid, status.st_gid);
  return true;
}

// The absolute path of `path` with every link followed, or the empty text.
Text RealPath(const Text& path) {
  char buffer[PATH_MAX];
  return realpath(path.c_str(), buffer) != nullptr ? Text(buffer) : Text();
}

// The folder that holds `path`, an absolute path: the empty text for the root itself.
Text FolderOf(const Text& path) {
  const std::size_t slash = path.rfind('/');
  if (path == "/" || slash == Text::npos) return Text();
  return slash == 0 ? Text("/") : path.substr(0, slash);
}

// The facts of `folder`, an absolute path without links, and of every folder above it up to the
// root; empty when one of them cannot be read.
std::vector<PlaceFacts> FolderWay(Text folder) {
  std::vector<PlaceFacts> way;
  for (; !folder.empty(); folder = FolderOf(folder)) {
    PlaceFacts place;
    if (!ReadPlace(folder, place)) return {};
    way.push_back(place);
  }
  return way;
}

// Whether the program `path`, found by its name in `folder`, can have been put there and changed
// only by the user or root: the file it leads to and its folders, and the folder that holds the
// name, with theirs (a link or a second name there may have been put by anyone who can write it).
bool IsTrustedCandidate(const Text& folder, const Text& path) {
  const Text file = RealPath(path);
  const Text named_in = RealPath(folder);
  PlaceFacts file_facts;
  if (file.empty() || named_in.empty() || !ReadPlace(file, file_facts)) return false;
  const uid_t user = geteuid();
  return IsSafeProgram(file_facts, FolderWay(FolderOf(file)), user) && IsSafeFolderWay(FolderWay(named_in), user);
}

// The directory of the running program's file, or the empty text where it cannot be read.
Text OwnDirectory() {
  char buffer[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
  if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer) return Text();
  const Text file(buffer, static_cast<std::size_t>(length));
  const std::size_t slash = file.rfind('/');
  if (slash == Text::npos) return Text();
  return slash == 0 ? Text("/") : file.substr(0, slash);
}

// SIGINT and SIGQUIT ignored while this lives, so that Ctrl+C typed for the child does not
// end the chooser; the previous dispositions come back when it ends.
class TerminalSignalsIgnored {
 public:
  TerminalSignalsIgnored() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGINT, &ignore, &previous_interrupt_);
    sigaction(SIGQUIT, &ignore, &previous_quit_);
  }
  ~TerminalSignalsIgnored() {
    sigaction(SIGINT, &previous_interrupt_, nullptr);
    sigaction(SIGQUIT, &previous_quit_, nullptr);
  }
  TerminalSignalsIgnored(const TerminalSignalsIgnored&) = delete;
  TerminalSignalsIgnored& operator=(const TerminalSignalsIgnored&) = delete;

 private:
  struct sigaction previous_interrupt_ {};
  struct sigaction previous_quit_ {};
};

// Starts `program` with `words` as its argument vector; the child gets SIGINT and SIGQUIT at
// their defaults and no blocked signals. Returns the child's id, or -1.
pid_t Spawn(const Text& program, const std::vector<Text>& words) {
  std::vector<char*> argv;
  argv.reserve(words.size() + 1);
  for (const Text& word : words) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);

  posix_spawnattr_t attributes;
  if (posix_spawnattr_init(&attributes) != 0) return -1;
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGINT);
  sigaddset(&defaults, SIGQUIT);
  sigset_t none;
  sigemptyset(&none);
  pid_t child = -1;
  const bool ready = posix_spawnattr_setsigdefault(&attributes, &defaults) == 0 &&
                     posix_spawnattr_setsigmask(&attributes, &none) == 0 &&
                     posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK) == 0;
  if (ready && posix_spawn(&child, program.c_str(), nullptr, &attributes, argv.data(), environ) != 0) {
    child = -1;
  }
  posix_spawnattr_destroy(&attributes);
  return child;
}

}  // namespace

Text FindProgram(const Text& word, const Text& own_directory, const Text& working_directory,
                 const Text& path_variable) {
  if (word.empty()) return Text();
  if (word.find('/') != Text::npos) {
    const Text path = (word[0] == '/' || working_directory.empty()) ? word : JoinPath(working_directory, word);
    return IsExecutableFile(path) ? path : Text();
  }
  // Beside the chooser and in the working directory, only what no other user can have put there.
  for (const Text& directory : {own_directory, working_directory}) {
    if (directory.empty()) continue;
    Text path = JoinPath(directory, word);
    if (IsExecutableFile(path) && IsTrustedCandidate(directory, path)) return path;
  }
  std::size_t start = 0;
  for (;;) {
    const std::size_t colon = path_variable.find(':', start);
    const Text directory = path_variable.substr(start, colon == Text::npos ? Text::npos : colon - start);
    if (!directory.empty()) {
      Text path = JoinPath(directory, word);
      if (IsExecutableFile(path)) return path;
    }
    if (colon == Text::npos) return Text();
    start = colon + 1;
  }
}

// A zero byte ends the line (the split stops there): argument words cannot hold one.
bool StartAndWait(const Text& command_line) {
  const std::vector<Text> words = SplitCommandLine(command_line.substr(0, kMaxCommandLine));
  if (words.empty()) return false;

  ErrorDialogsSuppressed quiet;
  // The working directory is named "." so that the spawn resolves it.
  const char* path_variable = std::getenv("PATH");
  const Text program = FindProgram(words[0], OwnDirectory(), ".", path_variable ? path_variable : "");
  if (program.empty()) return false;

  // The terminal's signals are kept off the chooser while the child runs.
  TerminalSignalsIgnored keep_running;
  const pid_t child = Spawn(program, words);
  if (child < 0) return false;
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return true;
}

}  // namespace zul
