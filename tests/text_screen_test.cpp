#include "console/text_screen.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>

#include "tests/support/recording.h"
#include "tests/support/row_text.h"

namespace zul {
namespace {

using testing::CallLog;
using ::testing::ElementsAre;
using testing::RecordingConsole;

class TextScreenTest : public ::testing::Test {
 protected:
  CallLog log;
  RecordingConsole console{log, {80, 25}, {200, 100}};
  TextScreen screen{console, Utf8CodePage()};
};

TEST_F(TextScreenTest, TakesTheConsoleOverWithOutputModeThreeAndInputModeZero) {
  EXPECT_THAT(log, ElementsAre("SetOutputMode(3)", "SetInputMode(0)"));
  EXPECT_EQ(screen.Attribute(), 0x07);
  EXPECT_FALSE(screen.ScrollPending());
}

// Each call in turn, and the attribute after it: a value out of 0..15, compared as
// unsigned, keeps the current one.
TEST_F(TextScreenTest, ColourOutOfRangeKeepsTheCurrentValue) {
  const struct {
    int32_t foreground, background;
    uint16_t attribute;
  } calls[] = {{0, 15, 0xF0}, {12, -1, 0xFC}, {13, -1, 0xFD}, {16, 0x7FFFFFFF, 0xFD}, {INT32_MIN, 16, 0xFD}};
  for (const auto& call : calls) {
    screen.SetColour(call.foreground, call.background);
    EXPECT_EQ(screen.Attribute(), call.attribute) << call.foreground << " on " << call.background;
    EXPECT_EQ(console.Attribute(), call.attribute) << call.foreground << " on " << call.background;
  }
}

TEST_F(TextScreenTest, ClearFillsTheWholeBufferWithTheCursorHiddenMeanwhile) {
  console.SetBufferSize({100, 40});  // a buffer larger than the window
  screen.SetColour(14, 2);
  screen.WriteLine("xyz");
  log.clear();
  screen.Clear();
  EXPECT_THAT(log, ElementsAre("SetCursorInfo(25,hidden)", "FillCells(0,0,4000,0x2e)", "SetCursorInfo(25,shown)"));
  EXPECT_EQ(console.Cursor(), (Coord{0, 0}));
  EXPECT_EQ(console.At({0, 0}), (Cell{' ', 0x2E}));
  EXPECT_EQ(console.At({99, 39}), (Cell{' ', 0x2E}));
}

TEST_F(TextScreenTest, ClearLeavesAnInvisibleCursorHidden) {
  CallLog other_log;
  RecordingConsole hidden(other_log);
  hidden.SetCursorInfo({50, false});
  TextScreen other(hidden, Utf8CodePage());
  other_log.clear();
  other.Clear();
  EXPECT_THAT(other_log, ElementsAre("SetCursorInfo(50,hidden)", "FillCells(0,0,2000,0x7)"));
}

// Writing and ending lines on an 80 by 25 screen in 0 on 15: from a cursor, a few
// steps (a text written, or an end of line), then rows as they show (`cells` cells
// of row `y` from column 0), the cursor, and whether a scroll is pending.
TEST_F(TextScreenTest, WritesBytesAsCellsWrapsAndScrollsAtTheLastRow) {
  struct Row {
    int y;
    int cells;
    std::string text;
  };
  const Text kEndLine = "<end line>";
  const Text kFullRow(80, 'L');
  const struct Case {
    const char* what;
    Coord from;
    std::vector<Text> steps;
    std::vector<Row> rows;
    Coord cursor;
    bool pending;
  } cases[] = {
      {"lines move to the next row",
       {0, 0},
       {kEndLine, "  If your", kEndLine},
       {{1, 10, "  If your "}},
       {0, 2},
       false},
      {"a line feed and a zero byte are cells",
       {0, 0},
       {std::string("a\nb\0c", 5)},
       {{0, 6, "a\u25D9b c "}},
       {5, 0},
       false},
      {"a long text wraps",
       {0, 0},
       {std::string(85, 'w')},
       {{0, 80, std::string(80, 'w')}, {1, 6, "wwwww "}},
       {5, 1},
       false},
      {"filling the last row exactly scrolls nothing yet",
       {0, 24},
       {kFullRow},
       {{23, 1, "u"}, {24, 80, kFullRow}},
       {0, 24},
       true},
      {"its end of line then scrolls twice",
       {0, 24},
       {kFullRow, kEndLine},
       {{22, 80, kFullRow}, {23, 80, std::string(80, ' ')}, {24, 80, std::string(80, ' ')}},
       {0, 24},
       false},
      {"more text scrolls first",
       {0, 24},
       {kFullRow, "next"},
       {{23, 80, kFullRow}, {24, 5, "next "}},
       {4, 24},
       false},
      {"an end of line on the last row scrolls once",
       {3, 24},
       {kEndLine},
       {{23, 1, "x"}, {24, 1, " "}},
       {0, 24},
       false},
  };
  for (const Case& c : cases) {
    screen.SetColour(0, 15);
    screen.Clear();
    console.WriteCells({0, 23}, std::vector<Cell>{{'u', 7}});
    if (c.from.y == 24 && c.from.x > 0) console.WriteCells({0, 24}, std::vector<Cell>{{'x', 7}});
    console.SetCursorPosition(c.from);
    for (const Text& step : c.steps) {
      if (step == kEndLine)
        screen.EndLine();
      else
        screen.Write(step);
    }
    for (const Row& row : c.rows)
      EXPECT_EQ(testing::RowText(console, row.y, 0, row.cells), row.text) << c.what << ", row " << row.y;
    EXPECT_EQ(console.Cursor(), c.cursor) << c.what;
    EXPECT_EQ(screen.ScrollPending(), c.pending) << c.what;
  }
  // The cells take the current attribute; a scrolled-in row too.
  EXPECT_EQ(console.At({0, 24}), (Cell{' ', 0xF0}));
  screen.Clear();
  screen.Write("I");
  EXPECT_EQ(console.At({0, 0}), (Cell{'I', 0xF0}));
}

TEST_F(TextScreenTest, SetSizeGrowsTheBufferSetsTheWindowThenTheExactBuffer) {
  log.clear();
  screen.SetSize(80, 30);
  EXPECT_THAT(log, ElementsAre("SetBufferSize(80x30)", "SetWindowRect(80x30)", "SetBufferSize(80x30)"));
  EXPECT_EQ(console.Size(), (Coord{80, 30}));
  EXPECT_EQ(console.Window(), (InclusiveRect{0, 0, 79, 29}));

  // Clearing after the change fills the whole new buffer.
  screen.SetColour(0, 15);
  screen.Clear();
  EXPECT_EQ(console.At({79, 29}), (Cell{' ', 0xF0}));

  // Shrinking: the window first, then the buffer.
  screen.SetSize(40, 10);
  EXPECT_EQ(console.Size(), (Coord{40, 10}));
  EXPECT_EQ(console.Window(), (InclusiveRect{0, 0, 39, 9}));
}

TEST_F(TextScreenTest, ASizeBeyond9999ChangesNothing) {
  log.clear();
  screen.SetSize(10000, 30);
  screen.SetSize(80, -1);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(console.Size(), (Coord{80, 25}));
}

TEST_F(TextScreenTest, ASizeTheWindowCannotTakeLeavesTheGrownBuffer) {
  CallLog small_log;
  RecordingConsole small(small_log, {80, 25}, {80, 25});
  TextScreen small_screen(small, Utf8CodePage());
  small_screen.SetSize(80, 30);
  EXPECT_EQ(small.Size(), (Coord{80, 30}));
  EXPECT_EQ(small.Window(), (InclusiveRect{0, 0, 79, 24}));
}

TEST_F(TextScreenTest, MouseInputOnSetsInputModeExactly16) {
  screen.MouseInputOn();
  EXPECT_EQ(console.InputMode(), 16u);
  screen.SetWindowTitle("Select zul files for conversion");
  EXPECT_EQ(console.Title(), "Select zul files for conversion");
}

// A console whose cursor shape cannot be read.
class NoCursorInfoConsole : public VirtualConsole {
 public:
  bool GetCursorInfo(CursorInfo&) override { return false; }
};

TEST(TextScreenCursorShape, FallsBackToSize10VisibleWhenTheShapeCannotBeRead) {
  NoCursorInfoConsole console;
  console.SetCursorInfo({1, false});
  TextScreen screen(console, Utf8CodePage());
  screen.Clear();
  EXPECT_EQ(console.CursorShape().size, 10u);
  EXPECT_TRUE(console.CursorShape().visible);
}

}  // namespace
}  // namespace zul
