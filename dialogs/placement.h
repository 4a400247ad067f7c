// Where a dialog's box goes in the console's window: centred on a cell, kept inside
// the window with room for its shadow; and which of its rows a short box keeps, and
// where. Pure arithmetic on cells.
#pragma once

#include <cstdint>
#include <span>

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

// Lays out a dialog's rows, numbered from 0 top to bottom, in a box that may be too
// short for all of them: the first `room` rows of `kept_order` (the rows it may show,
// most needed first) are kept and stacked down from screen row `top` in their own
// order, each on one screen row but `tall`, which takes `tall_rows`. Sets `rows[r]`
// to the first screen row of row r, -1 for a row not kept.
void StackRows(std::span<const int> kept_order, int room, int top, std::span<int> rows, int tall = -1,
               int tall_rows = 1);

}  // namespace zul
