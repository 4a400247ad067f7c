#include "win32/fill_runs.h"

#include <gtest/gtest.h>

#include "tests/support/printers.h"

namespace zul {

void PrintTo(const FillRun& run, std::ostream* os) { *os << run.from << "+" << run.count; }

namespace {

using Runs = std::vector<FillRun>;

TEST(SplitFill, CutsAFillIntoRowRectangles) {
  // The rest of the first row, two whole rows, the start of the last.
  EXPECT_EQ(SplitFill({70, 2}, 10 + 160 + 5, {80, 30}), (Runs{{{70, 2}, 10}, {{0, 3}, 160}, {{0, 5}, 5}}));
  // From a row's start with a remainder: whole rows, then the start of the next.
  EXPECT_EQ(SplitFill({0, 2}, 200, {80, 30}), (Runs{{{0, 2}, 160}, {{0, 4}, 40}}));
  // Within one row, and across one row end only.
  EXPECT_EQ(SplitFill({3, 1}, 5, {80, 30}), (Runs{{{3, 1}, 5}}));
  EXPECT_EQ(SplitFill({78, 6}, 4, {80, 30}), (Runs{{{78, 6}, 2}, {{0, 7}, 2}}));
  // The whole buffer, as a clear does it, is one run.
  EXPECT_EQ(SplitFill({0, 0}, 80 * 30, {80, 30}), (Runs{{{0, 0}, 2400}}));
}

TEST(SplitFill, StopsAtTheBufferEndAndRefusesPlacesOutsideIt) {
  EXPECT_EQ(SplitFill({75, 29}, 1000, {80, 30}), (Runs{{{75, 29}, 5}}));
  EXPECT_EQ(SplitFill({0, 28}, UINT32_MAX, {80, 30}), (Runs{{{0, 28}, 160}}));
  EXPECT_EQ(SplitFill({10, 10}, 0, {80, 30}), Runs{});
  EXPECT_EQ(SplitFill({80, 0}, 5, {80, 30}), Runs{});
  EXPECT_EQ(SplitFill({0, 30}, 5, {80, 30}), Runs{});
  EXPECT_EQ(SplitFill({-1, 0}, 5, {80, 30}), Runs{});
  EXPECT_EQ(SplitFill({0, 0}, 5, {0, 0}), Runs{});
  // The largest buffer does not overflow the count.
  EXPECT_EQ(SplitFill({1, 0}, UINT32_MAX, {32766, 32766}), (Runs{{{1, 0}, 32765}, {{0, 1}, 32766u * 32765u}}));
}

}  // namespace
}  // namespace zul
