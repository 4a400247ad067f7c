#include "consoletools/window_placement.h"

namespace zul {

namespace {

// The start of a span of `length` centred in [low, high), never before `low`; in 64 bits
// so that no sum of 32-bit edges overflows.
int32_t CentredStart(int32_t low, int32_t high, int32_t length) {
  const int64_t room = static_cast<int64_t>(high) - low - length;
  if (room <= 0) return low;
  return static_cast<int32_t>(low + room / 2);
}

}  // namespace

PixelPoint CentredOrigin(const PixelRect& area, int32_t width, int32_t height) {
  return PixelPoint{CentredStart(area.left, area.right, width), CentredStart(area.top, area.bottom, height)};
}

}  // namespace zul
