#include "system/process_posix.h"

#include <errno.h>
#include <limits.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "system/command_line.h"
#include "system/process.h"
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
  std::vector<Text> directories{own_directory, working_directory};
  std::size_t start = 0;
  for (;;) {
    const std::size_t colon = path_variable.find(':', start);
    directories.push_back(path_variable.substr(start, colon == Text::npos ? Text::npos : colon - start));
    if (colon == Text::npos) break;
    start = colon + 1;
  }
  for (const Text& directory : directories) {
    if (directory.empty()) continue;
    Text path = JoinPath(directory, word);
    if (IsExecutableFile(path)) return path;
  }
  return Text();
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
