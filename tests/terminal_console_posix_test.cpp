// The console device on a real pseudo-terminal: the child side runs the device
// as the chooser would, the test plays the terminal and checks the settings the
// terminal is left with, the bytes drawn and the events read.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/cp437.h"
#include "device/open_console_device.h"
#include "dialogs/input_box.h"
#include "dialogs/list_box.h"
#include "tests/support/manual_clock.h"
#include "tests/support/terminal_replay.h"

namespace zul {
namespace {

int64_t NowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// A child process on a fresh 80 x 30 pseudo-terminal. The child runs `body` on
// a console that goes by `clock` and exits with what it returns; the test keeps
// both ends of the terminal, so its settings can be read after the child ended.
class PtyChild {
 public:
  explicit PtyChild(const std::function<int(ConsoleDevice&)>& body, MonotonicClock& clock = SystemClock()) {
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
        auto device = OpenConsoleDevice(Utf8CodePage(), clock);
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
  // Sends `bytes` however long, reading what the child draws meanwhile (a child
  // blocked on a full terminal would read nothing); false when 10 s pass.
  bool SendAll(std::string_view bytes) {
    for (const int64_t end = NowMs() + 10000; !bytes.empty();) {
      if (NowMs() > end) return false;
      Drain(0);
      const ssize_t n = write(master_, bytes.data(), bytes.size());
      if (n > 0) {
        bytes.remove_prefix(static_cast<std::size_t>(n));
      } else {
        pollfd fds{master_, POLLOUT, 0};
        poll(&fds, 1, 5);
      }
    }
    return true;
  }
  // Reads what the child drew until `needle` appears in all output so far (or 5 s pass).
  bool WaitForOutput(const std::string& needle) {
    for (int64_t end = NowMs() + 5000; NowMs() < end;) {
      Drain(50);
      if (output_.find(needle) != std::string::npos) return true;
    }
    return false;
  }
  // Reads what the child draws until `done` holds for all output so far (or 5 s pass).
  bool WaitUntil(const std::function<bool(const std::string&)>& done) {
    for (int64_t end = NowMs() + 5000; NowMs() < end;) {
      Drain(50);
      if (done(output_)) return true;
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

// A normal end leaves the cursor at the console's cursor, in the terminal's own colours.
TEST(TerminalConsole, ReadsKeysRawAndGivesTheTerminalBackAtTheEnd) {
  PtyChild child([](ConsoleDevice& device) {
    device.SetInputMode(input_mode::kMouse);
    device.SetCursorPosition({3, 2});
    DrawGreeting(device);
    InputEvent event;
    device.ReadInput(event, -1);
    if (event.kind != InputEvent::Kind::kKey || event.key.character != 0x03) return 1;
    device.ReadInput(event, -1);
    return event.kind == InputEvent::Kind::kKey && event.key.character == 'x' ? 0 : 2;
  });
  ASSERT_TRUE(child.Started());
  ASSERT_TRUE(child.WaitForOutput("Hi"));
  EXPECT_TRUE(Raw(child.Settings()));
  EXPECT_FALSE(child.Settings().c_lflag & ISIG) << "Ctrl+C must arrive as a key with processed input off";
  child.Send("\x03x");
  EXPECT_EQ(child.Wait(), 0);
  EXPECT_TRUE(Restored(child.Settings()));
  testing::TerminalReplay replay({80, 30});
  replay.Feed(child.Output());
  EXPECT_EQ(replay.Errors(), std::vector<std::string>{});
  EXPECT_TRUE(replay.Autowrap() && replay.CursorVisible());
  EXPECT_TRUE(replay.Foreground() == 39 && replay.Background() == 49 && !replay.OtherAttributes());
  EXPECT_TRUE(replay.CursorKnown() && replay.Cursor() == (Coord{3, 2})) << replay.Cursor();
  EXPECT_EQ(replay.At(1, 0).glyph, "i");
}

// Every signal that ends the run gives the terminal back in its own colours,
// the drawn cells keeping theirs. While the console is shown the cursor goes to
// the start of the line below the window (a new line scrolled in when the
// window fills the terminal); while a child runs it stays where it was handed over.
TEST(TerminalConsole, AnEndingSignalRestoresTheTerminalBelowWhatWasDrawn) {
  struct Case {
    int signal_number;
    int window_rows;
    bool child_runs;
    Coord cursor;      // where the cursor ends
    int greeting_row;  // where "Hi", drawn on row 5, ends
  };
  const Case cases[] = {
      {SIGTERM, 30, false, {0, 29}, 4}, {SIGHUP, 10, false, {0, 10}, 5},  {SIGINT, 10, false, {0, 10}, 5},
      {SIGQUIT, 30, false, {0, 29}, 4}, {SIGSEGV, 12, false, {0, 12}, 5}, {SIGTERM, 10, true, {7, 1}, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("signal " + std::to_string(c.signal_number) + ", window rows " + std::to_string(c.window_rows) +
                 (c.child_runs ? ", a child runs" : ""));
    PtyChild child([&c](ConsoleDevice& device) {
      const rlimit no_core{0, 0};
      setrlimit(RLIMIT_CORE, &no_core);
      device.SetWindowRect({0, 0, 79, static_cast<int16_t>(c.window_rows - 1)});
      device.SetBufferSize({80, static_cast<int16_t>(c.window_rows)});
      device.SetCursorPosition({7, 1});
      device.SetInputMode(input_mode::kMouse | input_mode::kExtendedFlags);
      const Cell cells[] = {{'H', 0x1F}, {'i', 0x1F}};
      device.WriteCells({0, 5}, cells);
      device.Flush();
      std::optional<HandedToChild> run;
      if (c.child_runs) run.emplace(device);
      for (;;) pause();
      return 0;
    });
    ASSERT_TRUE(child.Started());
    // Drawn, and when a child runs, handed over: autowrap back on, normal input.
    ASSERT_TRUE(child.WaitUntil([&](const std::string& out) {
      const std::size_t drawn = out.find("Hi");
      if (drawn == std::string::npos) return false;
      return !c.child_runs || (out.find("\x1b[?7h", drawn) != std::string::npos && !Raw(child.Settings()));
    }));
    EXPECT_EQ(Raw(child.Settings()), !c.child_runs);
    kill(child.Pid(), c.signal_number);
    EXPECT_EQ(child.Wait(), 128 + c.signal_number);
    EXPECT_TRUE(Restored(child.Settings()));
    testing::TerminalReplay replay({80, 30});
    replay.Feed(child.Output());
    EXPECT_EQ(replay.Errors(), std::vector<std::string>{});
    EXPECT_TRUE(replay.Autowrap() && replay.CursorVisible() && !replay.MouseButtons() && !replay.MouseSgr());
    EXPECT_TRUE(replay.Foreground() == 39 && replay.Background() == 49 && !replay.OtherAttributes());
    EXPECT_TRUE(replay.CursorKnown() && replay.Cursor() == c.cursor) << replay.Cursor();
    const auto& greeting = replay.At(1, c.greeting_row);
    EXPECT_TRUE(greeting.glyph == "i" && greeting.foreground == 97 && greeting.background == 44);
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

// On a clock the test moves: a lone Esc is the Escape key once 20 ms have
// passed waiting for more, not sooner, and a resize that comes meanwhile is
// reported at once without starting that wait over.
TEST(TerminalConsole, ALoneEscWaitsItsTimeOnTheClockThroughAResize) {
  testing::ManualClock clock;
  PtyChild child(
      [&clock](ConsoleDevice& device) {
        DrawGreeting(device);
        InputEvent event;
        if (!device.ReadInput(event, -1) || event.key.character != 'g') return 1;  // "g" and a lone Esc came
        if (device.ReadInput(event, 15) || clock.NowMs() != 15) return 2;
        sigset_t resize, others;  // wait for the resize without missing it
        sigemptyset(&resize);
        sigaddset(&resize, SIGWINCH);
        sigprocmask(SIG_BLOCK, &resize, &others);
        if (write(1, "resize", 6) != 6) return 3;
        sigsuspend(&others);
        sigprocmask(SIG_SETMASK, &others, nullptr);
        if (!device.ReadInput(event, -1) || event.kind != InputEvent::Kind::kResize || clock.NowMs() != 15)
          return 4;
        if (!device.ReadInput(event, -1) || event.key.key != vk::kEscape) return 5;
        return clock.NowMs() == 15 + 5 ? 0 : 6;
      },
      clock);
  ASSERT_TRUE(child.Started());
  ASSERT_TRUE(child.WaitForOutput("Hi"));
  child.Send("g\x1b");
  ASSERT_TRUE(child.WaitForOutput("resize"));
  child.Resize(60, 20);
  EXPECT_EQ(child.Wait(), 0);
}

// On a clock the test moves: two left presses on one cell are a double click
// when at most 500 ms of waiting for input lie between them; the press after a
// double click starts a new pair.
TEST(TerminalConsole, DoubleClicksAreTimedByTheWaitBetweenThePresses) {
  struct Press {
    int waited_before_ms;
    bool double_click;
  };
  const Press presses[] = {{0, false}, {500, true}, {0, false}, {501, false}, {100, true}};
  testing::ManualClock clock;
  PtyChild child(
      [&presses](ConsoleDevice& device) {
        device.SetInputMode(input_mode::kMouse | input_mode::kExtendedFlags);
        DrawGreeting(device);
        InputEvent event;
        for (int i = 0; i < static_cast<int>(std::size(presses)); ++i) {
          if (device.ReadInput(event, presses[i].waited_before_ms)) return 1;
          if (write(1, "ready", 5) != 5) return 3;
          if (!device.ReadInput(event, -1) || event.kind != InputEvent::Kind::kMouse) return 2;
          if ((event.mouse.flags == mouse::kDoubleClick) != presses[i].double_click) return 10 + i;
          device.ReadInput(event, -1);  // the release
        }
        return 0;
      },
      clock);
  ASSERT_TRUE(child.Started());
  for (std::size_t i = 1; i <= std::size(presses); ++i) {
    ASSERT_TRUE(child.WaitUntil([i](const std::string& output) {
      std::size_t readies = 0;
      for (std::size_t at = output.find("ready"); at != std::string::npos; at = output.find("ready", at + 1))
        ++readies;
      return readies == i;
    }));
    child.Send("\x1b[<0;5;3M\x1b[<0;5;3m");
  }
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
      auto device = OpenConsoleDevice(Utf8CodePage(), SystemClock());
      DrawGreeting(*device);
      InputEvent event;
      for (char expected : {'a', '\x1b'}) {
        device->ReadInput(event, -1);
        if (event.kind != InputEvent::Kind::kKey || event.key.character != static_cast<uint8_t>(expected))
          code = 1;
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
    termios during{};
    {
      const HandedToChild run(device);
      tcgetattr(0, &during);
      if (write(1, "first run\r\n", 11) != 11) return 3;
    }
    termios after{};
    tcgetattr(0, &after);
    {
      const HandedToChild run(device);
      if (write(1, "second run", 10) != 10) return 3;
    }
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

// Bytes that came one right after the other but were read apart, because the
// chooser was busy answering between the reads, still make one key: time spent
// busy is no pause after a lone Esc.
TEST(TerminalConsole, ASequenceReadInTwoPartsAcrossABusySpellIsStillOneKey) {
  testing::ManualClock clock;
  PtyChild child(
      [&clock](ConsoleDevice& device) {
        DrawGreeting(device);
        InputEvent event;
        device.ReadInput(event, -1);
        if (event.kind != InputEvent::Kind::kKey || event.key.character != 'a') return 1;
        if (write(1, "busy", 4) != 4) return 3;
        pollfd input{0, POLLIN, 0};
        poll(&input, 1, 5000);  // the rest of the sequence has come in
        clock.Advance(1000);    // while answering 'a' took a second
        device.ReadInput(event, -1);
        return event.kind == InputEvent::Kind::kKey && event.key.key == vk::kDown ? 0 : 2;
      },
      clock);
  ASSERT_TRUE(child.Started());
  ASSERT_TRUE(child.WaitForOutput("Hi"));
  child.Send("a\x1b");
  ASSERT_TRUE(child.WaitForOutput("busy"));
  child.Send("[B");
  EXPECT_EQ(child.Wait(), 0);
}

// A storm of size changes (and of SIGWINCH with no change) while keys arrive:
// every key reaches the input box, in order, and the window ends at the last size.
TEST(TerminalConsole, ManyResizesWhileTypingLoseNoKeyAndEndAtTheLastSize) {
  std::string typed;
  for (int i = 0; typed.size() < 200; ++i) typed += "word" + std::to_string(i) + " ";
  typed.resize(200);
  testing::ManualClock clock;
  PtyChild child(
      [&typed, &clock](ConsoleDevice& device) {
        const Text answer = RunInputBox(device, Utf8CodePage(), clock, 40, 15, "Where to?", "a hint", "", 32768);
        InputEvent event;
        while (device.ReadInput(event, 200)) {  // the last resize, signalled before Enter, may not be read yet
        }
        BufferInfo info;
        device.GetBufferInfo(info);
        if (answer != typed) return 1;
        return info.window == InclusiveRect{0, 0, 69, 19} ? 0 : 2;
      },
      clock);
  ASSERT_TRUE(child.Started());
  ASSERT_TRUE(child.WaitForOutput("Where to?"));
  const std::vector<Coord> sizes = {{20, 5},      {300, 100}, {1, 1}, {79, 29},
                                    {2000, 1500}, {132, 43},  {8, 3}, {100, 40}};
  for (std::size_t i = 0; i < typed.size(); ++i) {
    const Coord size = sizes[i % sizes.size()];
    child.Resize(size.x, size.y);
    kill(child.Pid(), SIGWINCH);
    ASSERT_TRUE(child.SendAll(typed.substr(i, 1)));
  }
  child.Resize(70, 20);
  ASSERT_TRUE(child.SendAll("\r"));
  EXPECT_EQ(child.Wait(), 0);
}

// A paste far longer than the answer may be, on a large terminal: the box keeps
// up (frames are drawn when the input is read, not once per key), the answer
// stops at the limit, and the terminal gets a few frames, not one per byte.
TEST(TerminalConsole, APasteFasterThanDrawingIsCutAtTheLimitAndDrawnInFewFrames) {
  std::string pasted;
  while (pasted.size() < 40000) pasted += "0123456789abcdefghijklmnopqrstuvwxyz/";
  pasted.resize(40000);
  PtyChild child([&pasted](ConsoleDevice& device) {
    const Text answer =
        RunInputBox(device, Utf8CodePage(), SystemClock(), 40, 15, "Where to?", "a hint", "", 32768);
    return answer == pasted.substr(0, 32768) ? 0 : 1;
  });
  ASSERT_TRUE(child.Started());
  child.Resize(300, 100);
  ASSERT_TRUE(child.WaitForOutput("Where to?"));
  const int64_t start = NowMs();
  ASSERT_TRUE(child.SendAll(pasted + "\r"));
  EXPECT_EQ(child.Wait(), 0);
  EXPECT_LT(NowMs() - start, 5000);
  EXPECT_LT(child.Output().size(), 200000u) << "a frame per pasted byte";
}

// The terminal as the child's output leaves an 80 x 30 one: its rows as text.
// Empty when the output so far is not all understood (it may end inside a frame).
std::vector<std::string> ReplayedRows(const std::string& output) {
  testing::TerminalReplay replay({80, 30});
  replay.Feed(output);
  if (!replay.Errors().empty()) return {};
  std::vector<std::string> rows;
  for (int y = 0; y < 30; ++y) {
    std::string row;
    for (int x = 0; x < 80; ++x) row += replay.At(x, y).glyph;
    rows.push_back(row);
  }
  return rows;
}

bool Shows(const std::vector<std::string>& rows, std::string_view text) {
  for (const std::string& row : rows)
    if (row.find(text) != std::string::npos) return true;
  return false;
}

// The number of the first name shown, as the list box's status line gives it
// ("21-40 of 1000"), or 0.
int FirstShown(const std::vector<std::string>& rows) {
  for (const std::string& row : rows) {
    const std::size_t of = row.find(" of 1000");
    const std::size_t dash = row.rfind('-', of);
    if (of == std::string::npos || dash == std::string::npos) continue;
    std::size_t digits = dash;
    while (digits > 0 && row[digits - 1] >= '0' && row[digits - 1] <= '9') --digits;
    if (digits < dash) return std::stoi(row.substr(digits, dash - digits));
  }
  return 0;
}

// A thousand names of 255 bytes each, every byte 0x01-0xFF in each, through the
// list box on a terminal: End, Home and PgDn go across the list, four names are
// marked, the terminal is given only sequences it understands and glyphs (no
// byte of a name moves the cursor or starts a sequence), each name shows its
// bytes as their glyphs, and Enter answers the four in list order.
TEST(TerminalConsole, AThousandNamesOfEveryByteShowAsGlyphsAndAnswerTheMarked) {
  std::vector<Text> names;
  for (int i = 0; i < 1000; ++i) {
    char number[8];
    snprintf(number, sizeof number, "%04d", i);
    Text name = number;
    for (int j = 0; name.size() < 255; ++j) name.push_back(static_cast<char>(1 + (i + j) % 255));
    names.push_back(name);
  }
  char answer_file[] = "/tmp/zul-answer-XXXXXX";
  const int answer_fd = mkstemp(answer_file);
  ASSERT_GE(answer_fd, 0);
  PtyChild child([&](ConsoleDevice& device) {
    const Text answer = RunListBox(device, Utf8CodePage(), SystemClock(), 0, 0, "HEADING", "hint", names, true, 0);
    return write(answer_fd, answer.data(), answer.size()) == ssize_t(answer.size()) ? 0 : 1;
  });
  ASSERT_TRUE(child.Started());
  std::vector<std::string> rows;
  auto until_shown = [&rows](std::vector<std::string_view> texts) {
    return [&rows, texts](const std::string& output) {
      rows = ReplayedRows(output);
      for (std::string_view text : texts)
        if (!Shows(rows, text)) return false;
      return true;
    };
  };
  ASSERT_TRUE(child.WaitUntil(until_shown({"HEADING", "0 marked", " 1-"})));
  child.Send("\x1b[F\x1b[H \x1b[6~");  // End, Home, Space, PgDn
  ASSERT_TRUE(child.WaitUntil([&](const std::string& output) {
    rows = ReplayedRows(output);
    return Shows(rows, "1 marked") && FirstShown(rows) > 1;
  }));
  // A page down from the first name scrolls a page: the highlight is the first name shown.
  const int page = FirstShown(rows);
  child.Send(" \x1b[F \x1b[A ");  // Space, End, Space, Up, Space
  ASSERT_TRUE(child.WaitUntil(until_shown({"4 marked", "-1000 of 1000"})));

  for (int i : {998, 999}) {
    const Text& name = names[static_cast<std::size_t>(i)];
    std::string glyphs;
    for (std::size_t j = 0; j < 50; ++j) AppendCp437Utf8(static_cast<uint8_t>(name[j]), glyphs);
    EXPECT_TRUE(Shows(rows, glyphs)) << "name " << i << " is not shown as its glyphs";
  }
  child.Send("\r");
  EXPECT_EQ(child.Wait(), 0);
  testing::TerminalReplay replay({80, 30});
  replay.Feed(child.Output());
  EXPECT_EQ(replay.Errors(), std::vector<std::string>{});

  std::string answer(300 * 4, '\0');
  const ssize_t got = pread(answer_fd, answer.data(), answer.size(), 0);
  close(answer_fd);
  unlink(answer_file);
  answer.resize(static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
  std::string expected;
  for (int i : {0, page - 1, 998, 999}) expected += (expected.empty() ? "" : std::string(1, '\0')) + names[i];
  EXPECT_TRUE(answer == expected) << "the answer holds " << answer.size() << " bytes";
}

}  // namespace
}  // namespace zul
