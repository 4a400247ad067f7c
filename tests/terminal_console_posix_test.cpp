// The console device on a real pseudo-terminal: the child side runs the device
// as the chooser would, the test plays the terminal and checks the settings the
// terminal is left with, the bytes drawn and the events read.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "console/console_device.h"

namespace zul {
namespace {

int64_t NowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// A child process on a fresh 80 x 30 pseudo-terminal. The child runs `body`
// and exits with what it returns; the test keeps both ends of the terminal, so
// its settings can be read after the child ended.
class PtyChild {
 public:
  explicit PtyChild(const std::function<int(ConsoleDevice&)>& body) {
    winsize size{};
    size.ws_col = 80;
    size.ws_row = 30;
    if (openpty(&master_, &slave_, nullptr, nullptr, &size) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      setsid();
      ioctl(slave_, TIOCSCTTY, 0);
      dup2(slave_, 0);
      dup2(slave_, 1);
      dup2(slave_, 2);
      close(master_);
      int code;
      {
        auto device = OpenConsoleDevice();
        code = body(*device);
      }
      _exit(code);
    }
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
  }
  ~PtyChild() {
    if (pid_ > 0 && !waited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (master_ >= 0) close(master_);
    if (slave_ >= 0) close(slave_);
  }

  bool Started() const { return pid_ > 0; }
  void Send(const std::string& bytes) {
    ASSERT_EQ(write(master_, bytes.data(), bytes.size()), ssize_t(bytes.size()));
  }
  // Reads what the child drew until `needle` appears in all output so far (or 5 s pass).
  bool WaitForOutput(const std::string& needle) {
    for (int64_t end = NowMs() + 5000; NowMs() < end;) {
      Drain(50);
      if (output_.find(needle) != std::string::npos) return true;
    }
    return false;
  }
  // Waits for the child's end; its exit code, or 128 + the signal that ended it.
  int Wait() {
    int status = 0;
    for (int64_t end = NowMs() + 5000; NowMs() < end;) {
      Drain(20);
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        waited_ = true;
        Drain(0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
    }
    return -1;
  }
  termios Settings() const {
    termios settings{};
    tcgetattr(slave_, &settings);
    return settings;
  }
  void Resize(int columns, int rows) {
    winsize size{};
    size.ws_col = static_cast<unsigned short>(columns);
    size.ws_row = static_cast<unsigned short>(rows);
    ioctl(master_, TIOCSWINSZ, &size);
  }
  const std::string& Output() const { return output_; }
  pid_t Pid() const { return pid_; }

 private:
  void Drain(int timeout_ms) {
    pollfd fd{master_, POLLIN, 0};
    if (poll(&fd, 1, timeout_ms) <= 0) return;
    char buffer[4096];
    ssize_t n;
    while ((n = read(master_, buffer, sizeof buffer)) > 0) output_.append(buffer, static_cast<std::size_t>(n));
  }

  int master_ = -1;
  int slave_ = -1;
  pid_t pid_ = -1;
  bool waited_ = false;
  std::string output_;
};

bool Raw(const termios& t) { return !(t.c_lflag & (ICANON | ECHO)); }
bool Restored(const termios& t) { return (t.c_lflag & ICANON) && (t.c_lflag & ECHO) && (t.c_lflag & ISIG); }

// Draws "Hi" at the top left in white on blue and shows it.
void DrawGreeting(ConsoleDevice& device) {
  const Cell cells[] = {{'H', 0x1F}, {'i', 0x1F}};
  device.WriteCells({0, 0}, cells);
  device.Flush();
}

TEST(TerminalConsole, ReadsKeysRawAndGivesTheTerminalBackAtTheEnd) {
  PtyChild child([](ConsoleDevice& device) {
    device.SetInputMode(input_mode::kMouse);
    DrawGreeting(device);
    InputEvent event;
    device.ReadInput(event, -1);
    if (event.kind != InputEvent::Kind::kKey || event.key.byte != 0x03) return 1;
    device.ReadInput(event, -1);
    return event.kind == InputEvent::Kind::kKey && event.key.byte == 'x' ? 0 : 2;
  });
  ASSERT_TRUE(child.Started());
  ASSERT_TRUE(child.WaitForOutput("Hi"));
  EXPECT_TRUE(Raw(child.Settings()));
  EXPECT_FALSE(child.Settings().c_lflag & ISIG) << "Ctrl+C must arrive as a key with processed input off";
  child.Send("\x03x");
  EXPECT_EQ(child.Wait(), 0);
  EXPECT_TRUE(Restored(child.Settings()));
  const std::string& out = child.Output();
  EXPECT_NE(out.find("\x1b[?7h", out.find("Hi")), std::string::npos) << "autowrap left off";
  EXPECT_NE(out.find("\x1b[?25h", out.find("Hi")), std::string::npos) << "cursor left hidden";
}

TEST(TerminalConsole, AnEndingSignalRestoresTheTerminal) {
  for (int signal_number : {SIGTERM, SIGHUP}) {
    PtyChild child([](ConsoleDevice& device) {
      device.SetInputMode(input_mode::kMouse | input_mode::kExtendedFlags);
      DrawGreeting(device);
      InputEvent event;
      device.ReadInput(event, -1);
      return 0;
    });
    ASSERT_TRUE(child.Started());
    ASSERT_TRUE(child.WaitForOutput("\x1b[?1000h")) << "mouse tracking is on while the console reports the mouse";
    EXPECT_TRUE(Raw(child.Settings()));
    kill(child.Pid(), signal_number);
    EXPECT_EQ(child.Wait(), 128 + signal_number);
    EXPECT_TRUE(Restored(child.Settings()));
    EXPECT_NE(child.Output().find("\x1b[?1000l"), std::string::npos) << "mouse tracking left on";
  }
}

TEST(TerminalConsole, EscapeAloneAnswersWithin50Ms) {
  PtyChild child([](ConsoleDevice& device) {
    DrawGreeting(device);
    InputEvent event;
    device.ReadInput(event, -1);  // the 'go' byte: the clock starts
    const int64_t start = NowMs();
    device.ReadInput(event, -1);
    const int64_t took = NowMs() - start;
    if (event.kind != InputEvent::Kind::kKey || event.key.key != vk::kEscape) return 1;
    return took < 50 ? 0 : 2;
  });
  ASSERT_TRUE(child.Started());
  ASSERT_TRUE(child.WaitForOutput("Hi"));
  child.Send("g\x1b");
  EXPECT_EQ(child.Wait(), 0);
}

TEST(TerminalConsole, MouseReportsArriveInBufferCoordinatesOfTheWindow) {
  PtyChild child([](ConsoleDevice& device) {
    device.SetBufferSize({100, 50});
    device.SetWindowRect({10, 5, 89, 34});
    device.SetInputMode(input_mode::kMouse | input_mode::kExtendedFlags);
    DrawGreeting(device);
    InputEvent event;
    device.ReadInput(event, -1);
    if (event.kind != InputEvent::Kind::kMouse) return 1;
    if (!(event.mouse.position == Coord{14, 7})) return 2;
    return (event.mouse.buttons & mouse::kLeftButton) && (event.mouse.modifiers & modifier::kCtrl) ? 0 : 3;
  });
  ASSERT_TRUE(child.Started());
  ASSERT_TRUE(child.WaitForOutput("\x1b[?1006h"));
  child.Send("\x1b[<16;5;3M");  // Ctrl + left press at column 5, row 3
  EXPECT_EQ(child.Wait(), 0);
}

TEST(TerminalConsole, AResizeIsReportedAndTheWindowFollowsIt) {
  PtyChild child([](ConsoleDevice& device) {
    DrawGreeting(device);
    InputEvent event;
    device.ReadInput(event, -1);
    if (event.kind != InputEvent::Kind::kResize || !(event.size == Coord{60, 20})) return 1;
    BufferInfo info;
    device.GetBufferInfo(info);
    return info.window == InclusiveRect{0, 0, 59, 19} && info.largest_window == Coord{60, 20} ? 0 : 2;
  });
  ASSERT_TRUE(child.Started());
  ASSERT_TRUE(child.WaitForOutput("Hi"));
  child.Resize(60, 20);
  EXPECT_EQ(child.Wait(), 0);
}

// Without a terminal nothing is drawn, standard input is read as it is and
// its end is the end of the input.
TEST(TerminalConsole, WithoutATerminalNothingIsDrawnAndInputIsReadAsItIs) {
  int input[2], output[2];
  ASSERT_EQ(pipe(input), 0);
  ASSERT_EQ(pipe(output), 0);
  const pid_t pid = fork();
  if (pid == 0) {
    setsid();  // no controlling terminal
    dup2(input[0], 0);
    dup2(output[1], 1);
    dup2(output[1], 2);
    close(input[1]);
    close(output[0]);
    int code = 0;
    {
      auto device = OpenConsoleDevice();
      DrawGreeting(*device);
      InputEvent event;
      for (char expected : {'a', '\x1b'}) {
        device->ReadInput(event, -1);
        if (event.kind != InputEvent::Kind::kKey || event.key.byte != static_cast<uint8_t>(expected)) code = 1;
      }
      device->ReadInput(event, -1);
      if (event.kind != InputEvent::Kind::kEnd) code = 2;
      device->ReadInput(event, -1);
      if (event.kind != InputEvent::Kind::kEnd) code = 3;
    }
    _exit(code);
  }
  close(input[0]);
  close(output[1]);
  ASSERT_EQ(write(input[1], "a\x1b", 2), 2);
  close(input[1]);
  int status = 0;
  waitpid(pid, &status, 0);
  char buffer[64];
  const ssize_t drawn = read(output[0], buffer, sizeof buffer);
  close(output[0]);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(drawn, 0) << "nothing may be written without a terminal";
}

TEST(TerminalConsole, AChildGetsTheTerminalsOwnSettingsAndTheChooserTakesItBack) {
  PtyChild child([](ConsoleDevice& device) {
    device.SetInputMode(input_mode::kMouse | input_mode::kExtendedFlags);
    DrawGreeting(device);
    device.HandToChild();
    termios during{};
    tcgetattr(0, &during);
    if (write(1, "first run\r\n", 11) != 11) return 3;
    device.TakeBack();
    termios after{};
    tcgetattr(0, &after);
    device.HandToChild();
    if (write(1, "second run", 10) != 10) return 3;
    device.TakeBack();
    if (!(during.c_lflag & ICANON) || !(during.c_lflag & ECHO)) return 1;
    return Raw(after) ? 0 : 2;
  });
  ASSERT_TRUE(child.Started());
  EXPECT_EQ(child.Wait(), 0);
  const std::string& out = child.Output();
  const std::size_t hand_over = out.find("\x1b[?1000l");
  ASSERT_NE(hand_over, std::string::npos) << "mouse tracking stays on for the child";
  EXPECT_NE(out.find("\x1b[?25h", hand_over), std::string::npos) << "the child gets a visible cursor";
  // The second run goes on where the first one left the terminal.
  const std::size_t first = out.find("first run");
  const std::size_t second = out.find("second run");
  ASSERT_NE(first, std::string::npos);
  ASSERT_NE(second, std::string::npos);
  EXPECT_EQ(out.substr(first, second - first).find('\x1b'), std::string::npos)
      << "the cursor was moved between runs";
  const std::string end = out.substr(second);
  EXPECT_EQ(end.find('H'), std::string::npos) << "the cursor was moved at the end";
  EXPECT_EQ(end.find('J'), std::string::npos) << "the runs' output was erased at the end";
}

}  // namespace
}  // namespace zul
