// Where a dialog's box goes in the console's window: centred on a cell, kept inside
// the window with room for its shadow. Pure arithmetic on cell rectangles.
#pragma once

#include <cstdint>

#include "device/cell.h"

namespace zul {

// The shadow lies this many columns to the right of a box and rows below it.
constexpr int kShadowColumns = 2;
constexpr int kShadowRows = 1;

// The box of `width` by `height` cells centred on the cell at `column`, `row`,
// counted from 1 at the top left of the buffer, and moved to lie inside
// `window`. The shadow is kept inside the window too while the window has room
// for it. A box larger than the window is shrunk to the window. The result is
// empty (Width() or Height() below 1) only when the window or the asked size is.
InclusiveRect PlaceDialog(const InclusiveRect& window, int width, int height, int32_t column, int32_t row);

// The cells a box and its shadow cover, clipped to `clip` (the buffer or the window).
InclusiveRect AreaWithShadow(const InclusiveRect& box, const InclusiveRect& clip);

}  // namespace zul
