// The values of a character-cell console: positions, inclusive rectangles and
// cells. Plain values with no I/O, shared by every console device.
#pragma once

#include <cstdint>
#include <ostream>

namespace zul {

// A cell position: column x and row y, counted from 0 at the top left.
struct Coord {
  int16_t x = 0;
  int16_t y = 0;
  bool operator==(const Coord&) const = default;
};

// A rectangle of cells whose right and bottom edges are inclusive, like the
// Windows SMALL_RECT: {0, 0, 79, 24} is 80 columns by 25 rows.
struct InclusiveRect {
  int16_t left = 0;
  int16_t top = 0;
  int16_t right = -1;
  int16_t bottom = -1;
  bool operator==(const InclusiveRect&) const = default;
  int Width() const { return right - left + 1; }
  int Height() const { return bottom - top + 1; }
  bool Contains(Coord c) const { return c.x >= left && c.x <= right && c.y >= top && c.y <= bottom; }
};

// One character cell: the byte shown (in the console's byte code page) and its
// attribute, background * 16 + foreground.
struct Cell {
  uint8_t byte = ' ';
  uint16_t attribute = 0x07;
  bool operator==(const Cell&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Coord& c) {
  return os << "(" << c.x << "," << c.y << ")";
}
inline std::ostream& operator<<(std::ostream& os, const InclusiveRect& r) {
  return os << "[" << r.left << "," << r.top << ".." << r.right << "," << r.bottom << "]";
}
inline std::ostream& operator<<(std::ostream& os, const Cell& c) {
  return os << "Cell{0x" << std::hex << int(c.byte) << ", 0x" << int(c.attribute) << std::dec << "}";
}

}  // namespace zul
