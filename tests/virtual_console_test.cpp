#include "device/virtual_console.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/row_text.h"
#include "tests/support/scripted_console.h"

namespace zul {
namespace {

TEST(VirtualConsoleWindow, MayNotLeaveTheBufferNorExceedTheLargestWindow) {
  VirtualConsole console({80, 25}, {100, 40});
  EXPECT_FALSE(console.SetWindowRect({0, 0, 79, 29}));  // beyond the buffer
  EXPECT_TRUE(console.SetBufferSize({120, 50}));
  EXPECT_FALSE(console.SetWindowRect({0, 0, 119, 29}));  // wider than the largest window
  EXPECT_TRUE(console.SetWindowRect({0, 0, 79, 29}));
  EXPECT_FALSE(console.SetWindowRect({-1, 0, 78, 29}));
  EXPECT_FALSE(console.SetWindowRect({5, 0, 4, 29}));
  EXPECT_EQ(console.Window(), (InclusiveRect{0, 0, 79, 29}));

  BufferInfo info;
  console.GetBufferInfo(info);
  EXPECT_EQ(info.largest_window, (Coord{100, 40}));
}

TEST(VirtualConsoleBuffer, MayNotBeSmallerThanTheWindowAndKeepsItsCells) {
  VirtualConsole console({80, 25}, {80, 25});
  console.WriteCells({79, 24}, std::vector<Cell>{{'z', 0x1F}});
  EXPECT_FALSE(console.SetBufferSize({79, 25}));
  EXPECT_FALSE(console.SetBufferSize({0, 0}));
  console.SetTextAttribute(0xF0);
  EXPECT_TRUE(console.SetBufferSize({90, 30}));
  EXPECT_EQ(console.At({79, 24}), (Cell{'z', 0x1F}));
  EXPECT_EQ(console.At({89, 29}), (Cell{' ', 0xF0}));
  EXPECT_TRUE(console.SetWindowRect({10, 5, 89, 29}));
  // A smaller buffer moves the window up and left into it.
  EXPECT_TRUE(console.SetBufferSize({80, 25}));
  EXPECT_EQ(console.Window(), (InclusiveRect{0, 0, 79, 24}));
}

TEST(VirtualConsoleCells, WritesClipAtTheRowEndAndFillsRunOnToTheBufferEnd) {
  VirtualConsole console({10, 3}, {10, 3});
  std::vector<Cell> run(5, Cell{'r', 0x2E});
  EXPECT_TRUE(console.WriteCells({7, 0}, run));
  EXPECT_EQ(testing::RowText(console, 0), "       rrr");
  EXPECT_EQ(testing::RowText(console, 1), "          ");
  EXPECT_FALSE(console.WriteCells({10, 0}, run));

  EXPECT_TRUE(console.FillCells({8, 1}, 1000, Cell{'f', 0x4F}));
  EXPECT_EQ(testing::RowText(console, 1), "        ff");
  EXPECT_EQ(testing::RowText(console, 2), "ffffffffff");

  std::vector<Cell> read(4);
  EXPECT_TRUE(console.ReadCells({8, 0}, read));
  EXPECT_EQ(read[0], (Cell{'r', 0x2E}));
  EXPECT_EQ(read[2], (Cell{' ', 0x07}));  // beyond the row's end: left as given
}

TEST(VirtualConsoleScroll, MovesRowsUpAndFillsWhatTheDestinationDoesNotCover) {
  VirtualConsole console({4, 3}, {4, 3});
  console.WriteCells({0, 0}, std::vector<Cell>(4, Cell{'a', 7}));
  console.WriteCells({0, 1}, std::vector<Cell>(4, Cell{'b', 7}));
  console.WriteCells({0, 2}, std::vector<Cell>(4, Cell{'c', 7}));
  EXPECT_TRUE(console.ScrollRegion({0, 1, 3, 2}, {0, 0}, Cell{' ', 0xF0}));
  EXPECT_EQ(testing::RowText(console, 0), "bbbb");
  EXPECT_EQ(testing::RowText(console, 1), "cccc");
  EXPECT_EQ(testing::RowText(console, 2), "    ");
  EXPECT_EQ(console.At({0, 2}).attribute, 0xF0);
  EXPECT_FALSE(console.ScrollRegion({0, 5, 3, 6}, {0, 0}, Cell{}));
}

TEST(VirtualConsoleCursor, HasASizeFrom1To100AndStaysInTheBuffer) {
  VirtualConsole console({80, 25}, {80, 25});
  EXPECT_FALSE(console.SetCursorInfo({0, true}));
  EXPECT_FALSE(console.SetCursorInfo({101, true}));
  EXPECT_TRUE(console.SetCursorInfo({100, false}));
  EXPECT_EQ(console.CursorShape().size, 100u);
  EXPECT_FALSE(console.SetCursorPosition({80, 0}));
  EXPECT_TRUE(console.SetCursorPosition({79, 24}));
  EXPECT_EQ(console.Cursor(), (Coord{79, 24}));
}

TEST(VirtualConsoleModes, QuickEditChangesOnlyWithTheExtendedFlags) {
  VirtualConsole console;
  EXPECT_TRUE(console.QuickEdit());
  console.SetInputMode(input_mode::kMouse);
  EXPECT_TRUE(console.QuickEdit());
  EXPECT_FALSE(console.MouseReporting());
  console.SetInputMode(input_mode::kMouse | input_mode::kExtendedFlags);
  EXPECT_FALSE(console.QuickEdit());
  EXPECT_TRUE(console.MouseReporting());
  console.SetInputMode(input_mode::kMouse | input_mode::kExtendedFlags | input_mode::kQuickEdit);
  console.SetInputMode(input_mode::kMouse);
  EXPECT_TRUE(console.QuickEdit());
  EXPECT_EQ(console.InputMode(), input_mode::kMouse);
}

// The virtual console has no input of its own: the end, at every read.
TEST(VirtualConsoleInput, GivesTheEndForever) {
  VirtualConsole console;
  InputEvent event;
  for (const int timeout_ms : {0, -1, 10}) {
    event.kind = InputEvent::Kind::kKey;
    ASSERT_TRUE(console.ReadInput(event, timeout_ms));
    EXPECT_EQ(event.kind, InputEvent::Kind::kEnd);
  }
}

TEST(ScriptedConsoleInput, GivesTheQueuedEventsThenEndForever) {
  testing::ScriptedConsole console;
  InputEvent key;
  key.kind = InputEvent::Kind::kKey;
  key.key.key = vk::kReturn;
  console.PushInput(key);
  InputEvent event;
  ASSERT_TRUE(console.ReadInput(event, 0));
  EXPECT_EQ(event.kind, InputEvent::Kind::kKey);
  EXPECT_EQ(event.key.key, vk::kReturn);
  ASSERT_TRUE(console.ReadInput(event, 0));
  EXPECT_EQ(event.kind, InputEvent::Kind::kEnd);
  ASSERT_TRUE(console.ReadInput(event, -1));
  EXPECT_EQ(event.kind, InputEvent::Kind::kEnd);
}

// Calls that name a cell outside the buffer, or a buffer no console has, are
// refused and change nothing: no cell, no size, nothing read into what was given.
TEST(VirtualConsoleCells, CallsOutsideTheBufferAreRefusedAndChangeNothing) {
  VirtualConsole console({10, 4}, {10, 4});
  console.FillCells({0, 0}, 40, Cell{'.', 0x07});
  const std::vector<Cell> before = console.Cells();
  const std::vector<Cell> given(3, Cell{'g', 0x1F});
  std::vector<Cell> read = given;
  const Cell fill{'x', 0x4F};
  struct Case {
    const char* what;
    bool done;
  };
  const Case cases[] = {
      {"read left of the buffer", console.ReadCells({-1, 0}, read)},
      {"read right of a row", console.ReadCells({10, 0}, read)},
      {"read below the buffer", console.ReadCells({0, 4}, read)},
      {"fill above the buffer", console.FillCells({0, -1}, 3, fill)},
      {"fill right of a row", console.FillCells({10, 1}, 3, fill)},
      {"fill below the buffer", console.FillCells({0, 4}, 3, fill)},
      {"a buffer of no rows", console.SetBufferSize({10, 0})},
      {"a buffer too wide", console.SetBufferSize({32767, 4})},
      {"a buffer too tall", console.SetBufferSize({10, 32767})},
  };
  for (const Case& c : cases) EXPECT_FALSE(c.done) << c.what;
  EXPECT_EQ(console.Cells(), before);
  EXPECT_EQ(read, given);
  EXPECT_EQ(console.Size(), (Coord{10, 4}));
  EXPECT_EQ(testing::RowText(console, -1), "");
  EXPECT_EQ(testing::RowText(console, 4), "");
}

}  // namespace
}  // namespace zul
