// The dialogs on consoles that refuse or misreport a call, and the shared drawing
// at the buffer's edges: what the dialog leaves behind must still be usable.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/virtual_console.h"
#include "dialogs/dialog_style.h"
#include "dialogs/drawing.h"
#include "dialogs/input_box.h"
#include "dialogs/list_box.h"
#include "tests/support/events.h"
#include "tests/support/row_text.h"
#include "tests/support/watched_console.h"

namespace zul {
namespace {

using testing::Enter;
using testing::Esc;
using testing::Push;
using testing::Scribble;
using testing::ScriptedConsole;
using testing::WatchedConsole;

// A console that cannot tell the cursor's shape, or tells one it would not take back.
class CursorShapeUnknownConsole : public ScriptedConsole {
 public:
  explicit CursorShapeUnknownConsole(bool refuses) : refuses_(refuses) {}
  bool GetCursorInfo(CursorInfo& info) override {
    if (refuses_) return false;
    info = CursorInfo{0, false};
    return true;
  }

 private:
  bool refuses_;
};

// Without a shape to put back, a dialog leaves the cursor shown in a new
// console's shape: a hidden cursor after the chooser leaves the terminal unusable.
TEST(DialogOnAConsoleWithoutTheCursorShape, LeavesTheCursorShown) {
  struct Case {
    const char* name;
    bool refuses;
    bool list_box;
  };
  const Case cases[] = {
      {"list box, shape refused", true, true},
      {"input box, shape refused", true, false},
      {"list box, shape of size 0", false, true},
      {"input box, shape of size 0", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CursorShapeUnknownConsole console(c.refuses);
    Push(console, Esc());
    if (c.list_box)
      RunListBox(console, Utf8CodePage(), SystemClock(), 0, 0, "HEADING", "hint", {"A.ZUL", "B.ZUL"}, true, 0);
    else
      RunInputBox(console, Utf8CodePage(), SystemClock(), 40, 12, "Where?", "hint", "", 80);
    EXPECT_TRUE(console.CursorShape().visible);
    EXPECT_EQ(console.CursorShape().size, CursorInfo{}.size);
  }
}

// A console that refuses the calls it is told to refuse. A refused read leaves an
// Enter behind in the event, as a careless device might.
class RefusingConsole : public ScriptedConsole {
 public:
  using ScriptedConsole::ScriptedConsole;
  bool refuse_buffer_info = false;
  bool refuse_read_cells = false;
  bool refuse_input = false;
  bool GetBufferInfo(BufferInfo& info) override {
    return !refuse_buffer_info && VirtualConsole::GetBufferInfo(info);
  }
  bool ReadCells(Coord at, std::span<Cell> cells) override {
    return !refuse_read_cells && VirtualConsole::ReadCells(at, cells);
  }
  bool ReadInput(InputEvent& event, int timeout_ms) override {
    if (!refuse_input) return ScriptedConsole::ReadInput(event, timeout_ms);
    event = Enter();
    return false;
  }
};

// A dialog whose console cannot say its size, or cannot give input, answers Cancel
// (though Enter waits or is left behind) and leaves the screen and the mode it found.
TEST(DialogOnARefusingConsole, CancelsAndLeavesTheScreenAsItWas) {
  struct Case {
    const char* name;
    bool refuse_buffer_info, refuse_input;
  };
  const Case cases[] = {{"buffer info refused", true, false}, {"input refused", false, true}};
  for (const Case& c : cases) {
    for (bool list_box : {true, false}) {
      SCOPED_TRACE(std::string(c.name) + (list_box ? ", list box" : ", input box"));
      RefusingConsole console({40, 12}, {40, 12});
      Scribble(console);
      console.SetInputMode(input_mode::kProcessed | input_mode::kMouse);
      const auto before = console.Cells();
      console.refuse_buffer_info = c.refuse_buffer_info;
      console.refuse_input = c.refuse_input;
      Push(console, Enter());
      const Text answer =
          list_box
              ? RunListBox(console, Utf8CodePage(), SystemClock(), 0, 0, "HEADING", "hint", {"A.ZUL"}, true, 0)
              : RunInputBox(console, Utf8CodePage(), SystemClock(), 20, 6, "Where?", "hint", "typed", 80);
      EXPECT_EQ(answer, "");
      EXPECT_EQ(console.Cells(), before);
      EXPECT_EQ(console.InputMode(), 0x0011u | 0x01E0);  // with quick edit, insert and auto position on
      EXPECT_FALSE(console.PasteAsText());
    }
  }
}

// A shadow over cells the console will not read leaves them alone rather than
// darkening blanks in their place.
TEST(DialogDrawing, AShadowOverCellsThatCannotBeReadLeavesThem) {
  RefusingConsole console({20, 8}, {20, 8});
  Scribble(console);
  const auto before = console.Cells();
  console.refuse_read_cells = true;
  DrawShadow(console, {2, 1, 11, 4}, {0, 0, 19, 7});
  EXPECT_EQ(console.Cells(), before);
}

// Cells written from left of the buffer lose those that fall off it; a frame
// needs a box of 2 by 2.
TEST(DialogDrawing, CutsAtTheLeftEdgeAndLeavesOutWhatDoesNotFit) {
  using namespace dialog_style;
  WatchedConsole console({20, 6}, {20, 6});
  FillRect(console, {0, 0, 19, 5}, Cell{'.', 0x07});
  WriteText(console, Utf8CodePage(), {-2, 0}, "abcde", 0x1F);
  EXPECT_EQ(testing::RowText(console, 0, 0, 5), "cde..");
  EXPECT_EQ(console.At({0, 0}).attribute, 0x1F);
  WriteText(console, Utf8CodePage(), {-5, 1}, "abc", 0x1F);
  WriteText(console, Utf8CodePage(), {-3, 1}, "abc", 0x1F);
  EXPECT_EQ(testing::RowText(console, 1, 0, 3), "...");
  EXPECT_EQ(console.outside, 0);

  DrawFrame(console, {0, 2, 0, 5}, kFrame);  // one column
  DrawFrame(console, {2, 2, 9, 2}, kFrame);  // one row
  for (int y = 2; y < 6; ++y) EXPECT_EQ(testing::RowText(console, y, 0, 10), "..........") << y;
  DrawFrame(console, {12, 2, 13, 3}, kFrame);  // two by two: corners alone
  EXPECT_EQ(testing::RowText(console, 2, 12, 2), "╔╗");
  EXPECT_EQ(testing::RowText(console, 3, 12, 2), "╚╝");
}

}  // namespace
}  // namespace zul
