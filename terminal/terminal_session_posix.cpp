#include "terminal/terminal_session_posix.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>

#include "base/ending_signals.h"

namespace zul {

namespace {

// What the signal handlers and the exit handler need. One session at a time
// owns it; only async-signal-safe calls touch it from a handler.
struct SessionState {
  int input_fd = -1;  // the terminal read from, when it is one
  int output_fd = -1;
  termios saved{};
  termios raw{};
  std::atomic<bool> have_saved{false};
  std::atomic<bool> raw_active{false};
  std::atomic<bool> restored{true};
  std::atomic<bool> resized{false};
  std::atomic<bool> continued{false};
  int wake[2] = {-1, -1};
  std::atomic<const PreparedBytes*> cut_short{nullptr};  // the owner's
};

SessionState g_state;

void WriteAll(int fd, const char* bytes, std::size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, bytes, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // the terminal is gone or refuses: nothing more to do
    bytes += n;
    size -= static_cast<std::size_t>(n);
  }
}

void Wake() {
  if (g_state.wake[1] >= 0) {
    const int saved_errno = errno;
    [[maybe_unused]] const ssize_t n = write(g_state.wake[1], "w", 1);
    errno = saved_errno;
  }
}

// The bytes the owner made ahead for a run cut short: the terminal's modes and
// colours back, the cursor below what was drawn; safe in a signal handler.
void WriteCutShortBytes() {
  const PreparedBytes* prepared = g_state.cut_short.load();
  if (prepared == nullptr || g_state.output_fd < 0) return;
  const std::string_view bytes = prepared->Get();
  WriteAll(g_state.output_fd, bytes.data(), bytes.size());
}

// Puts the terminal back as the session found it; safe in a signal handler.
void RestoreModesAndSettings() {
  if (g_state.restored.exchange(true)) return;
  WriteCutShortBytes();
  if (g_state.have_saved) tcsetattr(g_state.input_fd, TCSANOW, &g_state.saved);
}

// Whether the two descriptors lead to one file (one terminal).
bool SameFile(int a, int b) {
  struct stat first {};
  struct stat second {};
  return fstat(a, &first) == 0 && fstat(b, &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino && first.st_rdev == second.st_rdev;
}

// A signal that ends the process: restore, then end by the same signal.
void OnEndingSignal(int signal_number) {
  RestoreModesAndSettings();
  raise(signal_number);  // the handler was reset to the default on entry
}

void OnResize(int) {
  g_state.resized = true;
  Wake();
}

void InstallStopHandler();

// Suspended (the suspend key while the terminal's signal keys are on): give the
// terminal back as it was, the cursor below what was drawn, stop, and take it
// again when continued.
void OnStop(int) {
  const int saved_errno = errno;
  const bool raw = g_state.raw_active;
  if (!g_state.restored) WriteCutShortBytes();
  if (raw && g_state.have_saved) tcsetattr(g_state.input_fd, TCSANOW, &g_state.saved);
  raise(SIGTSTP);  // the default action now: the process stops here
  errno = saved_errno;
}

void OnContinue(int) {
  InstallStopHandler();
  if (g_state.raw_active && g_state.have_saved && !g_state.restored)
    tcsetattr(g_state.input_fd, TCSANOW, &g_state.raw);
  g_state.continued = true;
  Wake();
}

void Install(int signal_number, void (*handler)(int), int flags, bool keep_ignored) {
  struct sigaction action {};
  action.sa_handler = handler;
  action.sa_flags = flags;
  sigemptyset(&action.sa_mask);
  struct sigaction previous {};
  if (keep_ignored && sigaction(signal_number, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) return;
  sigaction(signal_number, &action, nullptr);
}

void InstallStopHandler() { Install(SIGTSTP, OnStop, SA_RESETHAND | SA_NODEFER | SA_RESTART, true); }

void InstallHandlers() {
  // Every signal that ends the process; those the shell had ignored stay ignored,
  // but for the faults, which end it all the same.
  for (int signal_number : EndingRequestSignals())
    Install(signal_number, OnEndingSignal, SA_RESETHAND | SA_NODEFER, true);
  for (int signal_number : FaultSignals())
    Install(signal_number, OnEndingSignal, SA_RESETHAND | SA_NODEFER, false);
  Install(SIGWINCH, OnResize, SA_RESTART, false);
  Install(SIGCONT, OnContinue, SA_RESTART, false);
  InstallStopHandler();

  static bool once = [] {
    std::atexit(RestoreModesAndSettings);
    std::set_terminate([] {
      RestoreModesAndSettings();
      std::abort();
    });
    return true;
  }();
  (void)once;
}

}  // namespace

TerminalSession::TerminalSession() {
  bool input_is_terminal = isatty(STDIN_FILENO) != 0;
  input_fd_ = STDIN_FILENO;
  if (isatty(STDOUT_FILENO))
    output_fd_ = STDOUT_FILENO;
  else if (isatty(STDERR_FILENO))
    output_fd_ = STDERR_FILENO;
  if (const std::string refusal = TerminalRefusal(std::getenv("TERM")); !refusal.empty() && output_fd_ >= 0) {
    const std::string line = refusal + "\n";
    WriteAll(STDERR_FILENO, line.data(), line.size());
    output_fd_ = -1;
    if (input_is_terminal) input_fd_ = -1;
    input_is_terminal = false;
  }
  reads_reports_ = input_is_terminal && output_fd_ >= 0 && SameFile(STDIN_FILENO, output_fd_);

  g_state.input_fd = input_is_terminal ? STDIN_FILENO : -1;
  g_state.output_fd = output_fd_;
  g_state.have_saved = input_is_terminal && tcgetattr(STDIN_FILENO, &g_state.saved) == 0;
  g_state.raw_active = false;
  g_state.resized = false;
  g_state.continued = false;
  g_state.cut_short = nullptr;
  if (g_state.wake[0] < 0 && pipe(g_state.wake) == 0) {
    for (int fd : g_state.wake) {
      fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
      fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
  }
  g_state.restored = false;
  InstallHandlers();
}

TerminalSession::~TerminalSession() { RestoreModesAndSettings(); }

std::string TerminalSession::TerminalRefusal(const char* term) {
  const std::string_view type = term == nullptr ? std::string_view() : std::string_view(term);
  if (!type.empty() && type != "dumb") return std::string();
  const std::string which = type.empty() ? "without a type (TERM is not set)" : "of type dumb (TERM=dumb)";
  return "zulchooser: a terminal " + which +
         " cannot show the dialogs; run zulchooser in a terminal such as xterm, GNOME Terminal, Konsole or tmux.";
}

Coord TerminalSession::Size() const {
  winsize size{};
  const int fd = output_fd_ >= 0 ? output_fd_ : STDIN_FILENO;
  if (ioctl(fd, TIOCGWINSZ, &size) != 0 || size.ws_col == 0 || size.ws_row == 0) return {80, 25};
  auto clamp = [](unsigned short value) {
    return static_cast<int16_t>(std::min<int>(value, kLargestReportedSide));
  };
  return {clamp(size.ws_col), clamp(size.ws_row)};
}

void TerminalSession::SetInput(TerminalInput input) {
  if (!g_state.have_saved || g_state.restored) return;
  if (input == TerminalInput::kOwnSettings) {
    g_state.raw_active = false;
    tcsetattr(STDIN_FILENO, TCSANOW, &g_state.saved);
    return;
  }
  termios raw = g_state.saved;
  raw.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON);
  raw.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | IEXTEN | ISIG);
  if (input == TerminalInput::kRawWithSignalKeys) raw.c_lflag |= ISIG;
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  g_state.raw = raw;
  g_state.raw_active = true;
  tcsetattr(STDIN_FILENO, TCSANOW, &raw);
}

void TerminalSession::Write(std::string_view bytes) {
  if (output_fd_ >= 0) WriteAll(output_fd_, bytes.data(), bytes.size());
}

int TerminalSession::Read(char* buffer, int size, int timeout_ms, bool& resized, bool& continued) {
  resized = false;
  continued = false;
  if (input_fd_ < 0) return -1;
  pollfd fds[2] = {{input_fd_, POLLIN, 0}, {g_state.wake[0], POLLIN, 0}};
  const int ready = poll(fds, g_state.wake[0] >= 0 ? 2 : 1, timeout_ms);
  if (fds[1].revents & POLLIN) {
    char drain[64];
    while (read(g_state.wake[0], drain, sizeof drain) > 0) {
    }
  }
  resized = g_state.resized.exchange(false);
  continued = g_state.continued.exchange(false);
  if (ready < 0) return errno == EINTR ? 0 : -1;
  if (fds[0].revents & POLLNVAL) return -1;
  if (!(fds[0].revents & (POLLIN | POLLHUP | POLLERR))) return 0;
  const ssize_t n = read(input_fd_, buffer, static_cast<std::size_t>(size));
  if (n > 0) return static_cast<int>(n);
  if (n < 0 && (errno == EINTR || errno == EAGAIN)) return 0;
  return -1;
}

void TerminalSession::WriteWhenCutShort(const PreparedBytes* bytes) { g_state.cut_short = bytes; }

void TerminalSession::Restore(std::string_view last_bytes) {
  if (g_state.restored.exchange(true)) return;
  Write(last_bytes);
  g_state.raw_active = false;
  if (g_state.have_saved) tcsetattr(STDIN_FILENO, TCSANOW, &g_state.saved);
}

}  // namespace zul
