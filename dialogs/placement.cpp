#include "dialogs/placement.h"

#include <algorithm>

namespace zul {

// Placing a box:
// 1. shrink it to the window;
// 2. centre it on the given cell (counted from 1);
// 3. move it into the window, keeping room for the shadow where the window has it.
InclusiveRect PlaceDialog(const InclusiveRect& window, int width, int height, int32_t column, int32_t row) {
  if (window.IsEmpty() || width < 1 || height < 1) return kEmptyRect;
  const int64_t w = std::min(width, window.Width());
  const int64_t h = std::min(height, window.Height());
  const int64_t room_x = w + kShadowColumns <= window.Width() ? kShadowColumns : 0;
  const int64_t room_y = h + kShadowRows <= window.Height() ? kShadowRows : 0;
  int64_t left = static_cast<int64_t>(column) - 1 - w / 2;
  int64_t top = static_cast<int64_t>(row) - 1 - h / 2;
  left = std::clamp<int64_t>(left, window.left, window.right - w + 1 - room_x);
  top = std::clamp<int64_t>(top, window.top, window.bottom - h + 1 - room_y);
  return InclusiveRect::FromSize({ClampToInt16(left), ClampToInt16(top)}, w, h);
}

InclusiveRect AreaWithShadow(const InclusiveRect& box, const InclusiveRect& clip) {
  if (box.IsEmpty()) return kEmptyRect;
  const InclusiveRect area{box.left, box.top, ClampToInt16(box.right + kShadowColumns),
                           ClampToInt16(box.bottom + kShadowRows)};
  return area.Intersect(clip);
}

void StackRows(std::span<const int> kept_order, int room, int top, std::span<int> rows, int tall, int tall_rows) {
  const auto kept = kept_order.first(std::min(static_cast<std::size_t>(std::max(room, 0)), kept_order.size()));
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const bool shown = std::ranges::find(kept, static_cast<int>(row)) != kept.end();
    rows[row] = shown ? top : -1;
    if (shown) top += static_cast<int>(row) == tall ? tall_rows : 1;
  }
}

}  // namespace zul
