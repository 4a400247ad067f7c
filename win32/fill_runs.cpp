#include "win32/fill_runs.h"

#include <algorithm>

namespace zul {

std::vector<FillRun> SplitFill(Coord at, uint32_t count, Coord size) {
  std::vector<FillRun> runs;
  if (at.x < 0 || at.y < 0 || at.x >= size.x || at.y >= size.y) return runs;
  const uint64_t width = static_cast<uint64_t>(size.x);
  const uint64_t height = static_cast<uint64_t>(size.y);
  uint64_t start = static_cast<uint64_t>(at.y) * width + static_cast<uint64_t>(at.x);
  const uint64_t end = std::min<uint64_t>(start + count, width * height);
  while (start < end) {
    const uint64_t column = start % width;
    uint64_t length = end - start;
    if (column != 0)
      length = std::min(length, width - column);
    else if (length >= width)
      length -= length % width;
    runs.push_back(FillRun{{static_cast<int16_t>(column), static_cast<int16_t>(start / width)},
                           static_cast<uint32_t>(length)});
    start += length;
  }
  return runs;
}

}  // namespace zul
