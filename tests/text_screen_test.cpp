#include "console/text_screen.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/recording.h"

namespace zul {
namespace {

using testing::CallLog;
using ::testing::ElementsAre;
using testing::RecordingConsole;

class TextScreenTest : public ::testing::Test {
 protected:
  CallLog log;
  RecordingConsole console{log, {80, 25}, {200, 100}};
  TextScreen screen{console};
};

TEST_F(TextScreenTest, TakesTheConsoleOverWithOutputModeThreeAndInputModeZero) {
  EXPECT_THAT(log, ElementsAre("SetOutputMode(3)", "SetInputMode(0)"));
  EXPECT_EQ(screen.Attribute(), 0x07);
  EXPECT_FALSE(screen.ScrollPending());
}

TEST_F(TextScreenTest, ColourOutOfRangeKeepsTheCurrentValue) {
  screen.SetColour(0, 15);
  EXPECT_EQ(console.Attribute(), 0xF0);
  screen.SetColour(12, -1);
  EXPECT_EQ(screen.Attribute(), 0xFC);
  EXPECT_EQ(console.Attribute(), 0xFC);
  screen.SetColour(13, -1);
  EXPECT_EQ(console.Attribute(), 0xFD);
  screen.SetColour(16, 0x7FFFFFFF);
  EXPECT_EQ(console.Attribute(), 0xFD);
  screen.SetColour(-2147483647 - 1, 16);
  EXPECT_EQ(console.Attribute(), 0xFD);
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
  TextScreen other(hidden);
  other_log.clear();
  other.Clear();
  EXPECT_THAT(other_log, ElementsAre("SetCursorInfo(50,hidden)", "FillCells(0,0,2000,0x7)"));
}

TEST_F(TextScreenTest, WriteLineWritesBytesAsCellsAndMovesToTheNextRow) {
  screen.SetColour(0, 15);
  screen.Clear();
  screen.WriteLine("");
  screen.WriteLine("  If your");
  EXPECT_EQ(console.RowText(1, 0, 10), "  If your ");
  EXPECT_EQ(console.At({2, 1}), (Cell{'I', 0xF0}));
  EXPECT_EQ(console.Cursor(), (Coord{0, 2}));
}

TEST_F(TextScreenTest, ALineFeedIsACellLikeAnyOtherByte) {
  screen.Write(std::string("a\nb\0c", 5));
  EXPECT_EQ(console.RowText(0, 0, 6), "a\u25D9b c ");
  EXPECT_EQ(console.Cursor(), (Coord{5, 0}));
}

TEST_F(TextScreenTest, TextLongerThanARowWrapsOntoTheNext) {
  screen.Write(std::string(85, 'w'));
  EXPECT_EQ(console.RowText(1, 0, 6), "wwwww ");
  EXPECT_EQ(console.Cursor(), (Coord{5, 1}));
}

TEST_F(TextScreenTest, ExactlyFillingTheLastRowSetsScrollPendingWithoutScrolling) {
  console.SetCursorPosition({0, 24});
  console.WriteCells({0, 23}, std::vector<Cell>{{'u', 7}});
  screen.Write(std::string(80, 'L'));
  EXPECT_TRUE(screen.ScrollPending());
  EXPECT_EQ(console.Cursor(), (Coord{0, 24}));
  EXPECT_EQ(console.RowText(24), std::string(80, 'L'));
  EXPECT_EQ(console.RowText(23, 0, 1), "u");

  // The end of line then scrolls twice: the full row moves up two rows and a
  // blank row lies above the cursor.
  screen.EndLine();
  EXPECT_FALSE(screen.ScrollPending());
  EXPECT_EQ(console.RowText(22), std::string(80, 'L'));
  EXPECT_EQ(console.RowText(23), std::string(80, ' '));
  EXPECT_EQ(console.RowText(24), std::string(80, ' '));
  EXPECT_EQ(console.Cursor(), (Coord{0, 24}));
}

TEST_F(TextScreenTest, APendingScrollHappensBeforeMoreTextIsWritten) {
  console.SetCursorPosition({0, 24});
  screen.Write(std::string(80, 'L'));
  screen.Write("next");
  EXPECT_EQ(console.RowText(23), std::string(80, 'L'));
  EXPECT_EQ(console.RowText(24, 0, 5), "next ");
  EXPECT_EQ(console.Cursor(), (Coord{4, 24}));
  EXPECT_FALSE(screen.ScrollPending());
}

TEST_F(TextScreenTest, EndOfLineOnTheLastRowScrollsOneRowInTheCurrentColour) {
  screen.SetColour(0, 15);
  console.SetCursorPosition({3, 24});
  console.WriteCells({0, 24}, std::vector<Cell>{{'x', 7}});
  screen.EndLine();
  EXPECT_EQ(console.RowText(23, 0, 1), "x");
  EXPECT_EQ(console.At({0, 24}), (Cell{' ', 0xF0}));
  EXPECT_EQ(console.Cursor(), (Coord{0, 24}));
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
  TextScreen small_screen(small);
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
  TextScreen screen(console);
  screen.Clear();
  EXPECT_EQ(console.CursorShape().size, 10u);
  EXPECT_TRUE(console.CursorShape().visible);
}

}  // namespace
}  // namespace zul
