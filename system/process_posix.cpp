#include "system/process_posix.h"

#include <errno.h>
#include <grp.h>
#include <limits.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "base/ending_signals.h"
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
  return FolderOf(Text(buffer, static_cast<std::size_t>(length)));
}

// The converter that runs now, for a signal handler to find; 0 when none runs.
std::atomic<pid_t> g_running_child{0};
static_assert(std::atomic<pid_t>::is_always_lock_free, "a signal handler reads the running child");

// How long a converter may take to end after the signal that ends the chooser was
// passed on to it, before SIGKILL ends it.
constexpr int kChildEndMs = 3000;
constexpr int kChildEndStepMs = 10;

// The signal handlers the chooser had before the run, which the run's own give
// the signal to in the end; indexed by signal number.
struct sigaction g_before_run[NSIG];

// Waits for `child` to end, at most `limit_ms`; whether it ended. Async-signal-safe.
bool ReapWithin(pid_t child, int limit_ms) {
  const timespec step{0, static_cast<long>(kChildEndStepMs) * 1000 * 1000};
  for (int waited = 0;; waited += kChildEndStepMs) {
    int status = 0;
    const pid_t done = waitpid(child, &status, WNOHANG);
    if (done == child || (done < 0 && errno == ECHILD)) return true;
    if (waited >= limit_ms) return false;
    nanosleep(&step, nullptr);
  }
}

// A signal that ends the chooser arrived while a converter runs: the converter gets
// it too (and SIGCONT, should it be stopped), and is waited for, at most
// kChildEndMs, then killed; then the signal goes to the handler the chooser had
// before the run, which gives the terminal back and ends the process by it.
void OnEndingSignalDuringRun(int signal_number) {
  const int saved_errno = errno;
  const pid_t child = g_running_child.exchange(0);
  if (child > 0) {
    kill(child, signal_number);
    kill(child, SIGCONT);
    if (!ReapWithin(child, kChildEndMs)) {
      kill(child, SIGKILL);
      ReapWithin(child, kChildEndMs);
    }
  }
  sigaction(signal_number, &g_before_run[signal_number], nullptr);
  errno = saved_errno;
  raise(signal_number);  // blocked until this handler returns, then handled as before the run
}

// The chooser's signals while a converter runs, from construction to destruction:
// SIGINT and SIGQUIT (the keys Ctrl+C and Ctrl+\ typed for the converter) are
// ignored, so that they end the converter alone and the runs go on; every other
// signal that ends a process (but the faults, and those ignored before) ends the
// converter first, then the chooser as before. The previous dispositions come back
// at the end.
class RunSignals {
 public:
  RunSignals() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigemptyset(&endings_);
    for (const int signal_number : EndingRequestSignals()) sigaddset(&endings_, signal_number);
    // One ending at a time: the others wait until the first has ended the converter.
    struct sigaction forward {};
    forward.sa_handler = OnEndingSignalDuringRun;
    forward.sa_mask = endings_;
    for (const int signal_number : EndingRequestSignals()) {
      if (signal_number >= NSIG) continue;
      struct sigaction& before = g_before_run[signal_number];
      if (sigaction(signal_number, nullptr, &before) != 0 || before.sa_handler == SIG_IGN) continue;
      const bool typed = signal_number == SIGINT || signal_number == SIGQUIT;
      sigaction(signal_number, typed ? &ignore : &forward, nullptr);
      changed_.push_back(signal_number);
    }
  }
  ~RunSignals() {
    g_running_child = 0;
    for (const int signal_number : changed_) sigaction(signal_number, &g_before_run[signal_number], nullptr);
  }
  RunSignals(const RunSignals&) = delete;
  RunSignals& operator=(const RunSignals&) = delete;

  // Blocks the signals that end a process while the converter starts, so that none
  // comes between its start and its being known here.
  class StartGuard {
   public:
    explicit StartGuard(const RunSignals& run) { sigprocmask(SIG_BLOCK, &run.endings_, &previous_); }
    ~StartGuard() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }
    StartGuard(const StartGuard&) = delete;
    StartGuard& operator=(const StartGuard&) = delete;

   private:
    sigset_t previous_{};
  };

 private:
  sigset_t endings_{};        // every signal that ends a process but the faults
  std::vector<int> changed_;  // those whose disposition the run changed
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

  RunSignals run;
  pid_t child = -1;
  {
    const RunSignals::StartGuard starting(run);
    child = Spawn(program, words);
    if (child < 0) return false;
    g_running_child = child;
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  g_running_child = 0;
  return true;
}

}  // namespace zul
