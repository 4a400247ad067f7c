#include "consoletools/window_placement.h"

#include <gtest/gtest.h>

namespace zul {
namespace {

TEST(CentredOrigin, CentresInTheWorkAreaWhereverItLies) {
  // A 1920 x 1040 work area (a task bar below) and a window of 660 x 500.
  EXPECT_EQ(CentredOrigin({0, 0, 1920, 1040}, 660, 500), (PixelPoint{630, 270}));
  // A second display left of the first, with a task bar at its top.
  EXPECT_EQ(CentredOrigin({-1280, 40, 0, 1024}, 640, 484), (PixelPoint{-960, 290}));
  // An odd amount of room leaves the extra pixel on the right and below.
  EXPECT_EQ(CentredOrigin({0, 0, 101, 51}, 10, 10), (PixelPoint{45, 20}));
  // An exact fit starts at the edges.
  EXPECT_EQ(CentredOrigin({10, 20, 110, 220}, 100, 200), (PixelPoint{10, 20}));
}

TEST(CentredOrigin, KeepsTheTitleBarOfAnOversizedWindowWithinReach) {
  EXPECT_EQ(CentredOrigin({0, 0, 800, 600}, 1000, 500), (PixelPoint{0, 50}));
  EXPECT_EQ(CentredOrigin({-1280, 40, 0, 1024}, 640, 2000), (PixelPoint{-960, 40}));
  // Extreme edges do not overflow.
  EXPECT_EQ(CentredOrigin({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, 2, 2), (PixelPoint{-2, -2}));
}

}  // namespace
}  // namespace zul
