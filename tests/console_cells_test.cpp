#include "win32/console_cells.h"

#include <gtest/gtest.h>

#include <vector>

namespace zul {
namespace {

// A row of cells as the console takes them and gives them back: the halves of a
// wide character flagged, control characters as their glyphs, a lone half blank.
TEST(ConsoleCell, WideHalvesAreFlaggedAndReadBackAsHalves) {
  const Cell wide{U'\u65E5', 0x1F, 0};
  const Cell half{kRightHalf, 0x1F, 0};
  const std::vector<Cell> row = {{U'a', 0x07, 0},          wide, half, half, {0x0A, 0x70, 0},
                                 {U'\U0001D400', 0x07, 0}, wide};
  const std::vector<ConsoleCell> expected = {
      {u'a', 0x07},      {u'\u65E5', 0x11F}, {u'\u65E5', 0x21F}, {u' ', 0x1F},  // a half without its left half
      {u'\u25D9', 0x70}, {u'\uFFFD', 0x07},                                     // beyond 16 bits
      {u' ', 0x1F},                                                             // a left half cut off at the end
  };
  for (std::size_t i = 0; i < row.size(); ++i) {
    EXPECT_EQ(ToConsoleCell(row, i), expected[i]) << "cell " << i;
    if (i <= 2) {
      EXPECT_EQ(FromConsoleCell(expected[i]), row[i]) << "cell " << i;
    }
  }
  EXPECT_EQ(FromConsoleCell({0, 0x4007}), (Cell{U' ', 0x4007, 0}));  // other attribute bits kept
}

}  // namespace
}  // namespace zul
