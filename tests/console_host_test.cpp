#include "win32/console_host.h"

#include <gtest/gtest.h>

#include <string_view>

namespace zul {
namespace {

// What the console's window class says of its host, and whether the program then sizes it.
TEST(ConsoleHost, OnlyAPseudoConsoleKeepsItsTerminalsSize) {
  struct Case {
    std::string_view window_class;
    ConsoleHost host;
    bool sets_size;
  };
  const Case cases[] = {
      {"PseudoConsoleWindow", ConsoleHost::kPseudoConsole, false},  // Windows Terminal, VS Code
      {"pseudoconsolewindow", ConsoleHost::kPseudoConsole, false},  // class names ignore case
      {"ConsoleWindowClass", ConsoleHost::kWindow, true},           // the classic console window
      {"WineConsoleClass", ConsoleHost::kWindow, true},             // wine's, hidden in a terminal
      {"PseudoConsoleWindow2", ConsoleHost::kWindow, true},
      {"PseudoConsole", ConsoleHost::kWindow, true},
      {"", ConsoleHost::kNoWindow, true},  // no window the program can see
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ConsoleHostOf(c.window_class), c.host) << c.window_class;
    EXPECT_EQ(ProgramSetsSize(ConsoleHostOf(c.window_class)), c.sets_size) << c.window_class;
  }
}

}  // namespace
}  // namespace zul
