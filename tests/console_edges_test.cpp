// The text screen on consoles at their edges (a buffer of one row, a console that
// will not say its size) and the console-tools library's window calls, which
// report what the window's decorations did.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/text_screen.h"
#include "consoletools/console_tools_library.h"
#include "consoletools/window_decorations.h"
#include "device/virtual_console.h"
#include "tests/support/row_text.h"

namespace zul {
namespace {

// A buffer of one row: ending the line on it scrolls it away, leaving blanks.
TEST(TextScreenEdges, AOneRowBufferScrollsToABlankRow) {
  VirtualConsole console({10, 1}, {10, 1});
  TextScreen screen(console, Utf8CodePage());
  screen.SetColour(14, 1);
  screen.WriteLine("abcdef");
  EXPECT_EQ(testing::RowText(console, 0), std::string(10, ' '));
  EXPECT_EQ(console.At({0, 0}).attribute, 0x1E);
  EXPECT_EQ(console.Cursor(), (Coord{0, 0}));
  screen.Write("xy");
  EXPECT_EQ(testing::RowText(console, 0), "xy        ");
}

// A console that will not tell its buffer's size.
class NoBufferInfoConsole : public VirtualConsole {
 public:
  using VirtualConsole::VirtualConsole;
  bool GetBufferInfo(BufferInfo&) override { return false; }
};

// Without the size nothing is drawn or moved, and a new size is still asked for.
TEST(TextScreenEdges, AConsoleThatWillNotTellItsSizeIsLeftAlone) {
  NoBufferInfoConsole console({20, 5}, {30, 8});
  console.FillCells({0, 0}, 100, Cell{'.', 0x07});
  console.SetCursorPosition({3, 2});
  const std::vector<Cell> before = console.Cells();
  TextScreen screen(console, Utf8CodePage());
  screen.Clear();
  screen.Write("text");
  screen.EndLine();
  screen.WriteLine("more");
  EXPECT_EQ(console.Cells(), before);
  EXPECT_EQ(console.Cursor(), (Coord{3, 2}));
  screen.SetSize(30, 8);
  EXPECT_EQ(console.Size(), (Coord{30, 8}));
  EXPECT_EQ(console.Window(), (InclusiveRect{0, 0, 19, 4}));  // taken before the buffer grew
}

// Window decorations that do what they are asked, or refuse it, and note the asking.
class NotedDecorations : public WindowDecorations {
 public:
  explicit NotedDecorations(bool accept) : accept_(accept) {}
  bool SetIcon(void*, int32_t id) override { return Note("icon " + std::to_string(id)); }
  bool DeleteMenuItem(int32_t command) override { return Note("delete " + std::to_string(command)); }
  bool ResetMenu() override { return Note("reset"); }
  bool Move(int32_t x, int32_t y) override { return Note("move " + std::to_string(x) + "," + std::to_string(y)); }
  bool BringToTop() override { return Note("top"); }
  std::vector<std::string> asked;

 private:
  bool Note(const std::string& call) {
    asked.push_back(call);
    return accept_;
  }
  bool accept_;
};

// Each window call gives 1 when the decorations did it and 0 when they did not.
TEST(ConsoleToolsLibraryWindow, ReportsWhatTheDecorationsDid) {
  for (const bool accept : {true, false}) {
    VirtualConsole console;
    NotedDecorations window(accept);
    ConsoleToolsLibrary library(console, window, Utf8CodePage(), SystemClock());
    const int32_t expected = accept ? 1 : 0;
    EXPECT_EQ(library.ConsoleMove(12, 34), expected);
    EXPECT_EQ(library.ConsoleIcon(32519), expected);
    EXPECT_EQ(library.DeleteWindowMenuItem(0xF030), expected);
    EXPECT_EQ(library.DefaultWindowMenu(), expected);
    EXPECT_EQ(library.ConsoleToTop(), expected);
    EXPECT_EQ(window.asked,
              (std::vector<std::string>{"move 12,34", "icon 32519", "delete 61488", "reset", "top"}));
  }
}

}  // namespace
}  // namespace zul
