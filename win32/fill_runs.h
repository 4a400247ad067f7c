// How a fill that runs on across the rows of a screen buffer splits into runs that each
// cover either part of one row or whole rows, so that every run is a rectangle. Pure
// arithmetic; the console device issues the runs.
#pragma once

#include <cstdint>
#include <vector>

#include "device/cell.h"

namespace zul {

struct FillRun {
  Coord from;
  uint32_t count = 0;
  bool operator==(const FillRun&) const = default;
};

// The runs of a fill of `count` cells from `at` in a buffer of `size`, stopping at the end
// of the buffer: the rest of the first row, then the whole rows, then the start of the
// last row, each only when it is not empty. No runs when `at` lies outside the buffer.
std::vector<FillRun> SplitFill(Coord at, uint32_t count, Coord size);

}  // namespace zul
