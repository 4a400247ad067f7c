// The values of a character-cell console: positions, inclusive rectangles and
// cells. Plain values with no I/O, shared by every console device.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

#include "device/console_colours.h"

namespace zul {

// A coordinate from a wider number: `value`, or the end of the 16-bit range
// nearest to it.
constexpr int16_t ClampToInt16(int64_t value) {
  return static_cast<int16_t>(
      std::clamp<int64_t>(value, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
}

// A cell position: column x and row y, counted from 0 at the top left.
struct Coord {
  int16_t x = 0;
  int16_t y = 0;
  bool operator==(const Coord&) const = default;
};

// A rectangle of cells whose right and bottom edges are inclusive, like the
// Windows SMALL_RECT: {0, 0, 79, 24} is 80 columns by 25 rows. One with a
// width or height below 1 holds no cells; the default one, kEmptyRect, is such.
struct InclusiveRect {
  int16_t left = 0;
  int16_t top = 0;
  int16_t right = -1;
  int16_t bottom = -1;
  bool operator==(const InclusiveRect&) const = default;

  // The `width` by `height` cells from `top_left`; edges beyond the 16-bit
  // range are held to it.
  static constexpr InclusiveRect FromSize(Coord top_left, int64_t width, int64_t height) {
    return InclusiveRect{top_left.x, top_left.y, ClampToInt16(top_left.x + width - 1),
                         ClampToInt16(top_left.y + height - 1)};
  }

  constexpr int Width() const { return right - left + 1; }
  constexpr int Height() const { return bottom - top + 1; }
  constexpr bool IsEmpty() const { return Width() < 1 || Height() < 1; }
  constexpr bool Contains(Coord c) const { return c.x >= left && c.x <= right && c.y >= top && c.y <= bottom; }
  // Whether every cell of `inner`, which must not be empty, is one of these.
  constexpr bool Covers(const InclusiveRect& inner) const {
    return Contains(Coord{inner.left, inner.top}) && Contains(Coord{inner.right, inner.bottom});
  }
  // The cells shared with `other`; kEmptyRect when there are none.
  constexpr InclusiveRect Intersect(const InclusiveRect& other) const;
};

// The rectangle of no cells, {0, 0, -1, -1}: what a rectangle is by default.
constexpr InclusiveRect kEmptyRect{};

constexpr InclusiveRect InclusiveRect::Intersect(const InclusiveRect& other) const {
  const InclusiveRect shared{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                             std::min(bottom, other.bottom)};
  return shared.IsEmpty() ? kEmptyRect : shared;
}

// What a cell holds in place of a character when it is the right half of the East
// Asian wide character in the cell before it.
constexpr char32_t kRightHalf = 0xFFFFFFFF;

// One character cell: the character shown, its attribute (background * 16 +
// foreground) and a combining mark drawn over the character (0 for none). A wide
// character takes two cells: itself, then kRightHalf. The character is what is seen:
// control characters are never in a cell (they are shown by their CP437 glyphs).
struct Cell {
  char32_t character = U' ';
  uint16_t attribute = colour::kDefaultAttribute;
  char32_t mark = 0;
  bool operator==(const Cell&) const = default;
};

}  // namespace zul
