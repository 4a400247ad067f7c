// Where a window goes when it is centred on the part of a display that windows may use.
// Pure arithmetic in display pixels; moving the window is the platform's job.
#pragma once

#include <cstdint>

namespace zul {

// A pixel rectangle whose right and bottom edges are exclusive, like the Windows RECT.
struct PixelRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

struct PixelPoint {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const PixelPoint&) const = default;
};

// The top-left corner that centres a window of `width` by `height` in `area`. A window
// wider or taller than the area starts at the area's left or top edge, so that its
// title bar stays within reach.
PixelPoint CentredOrigin(const PixelRect& area, int32_t width, int32_t height);

}  // namespace zul
