// How GoogleTest shows the console's values when an expectation fails: positions,
// rectangles and cells by their fields. Test support only; every test that
// compares them includes it, so that all of them show the values alike.
#pragma once

#include <cstdint>
#include <ostream>

#include "device/cell.h"

namespace zul {

inline std::ostream& operator<<(std::ostream& os, const Coord& c) { return os << "(" << c.x << "," << c.y << ")"; }
inline std::ostream& operator<<(std::ostream& os, const InclusiveRect& r) {
  return os << "[" << r.left << "," << r.top << ".." << r.right << "," << r.bottom << "]";
}
inline std::ostream& operator<<(std::ostream& os, const Cell& c) {
  os << "Cell{U+" << std::hex << uint32_t(c.character) << ", 0x" << int(c.attribute);
  if (c.mark != 0) os << ", U+" << uint32_t(c.mark);
  return os << std::dec << "}";
}

}  // namespace zul
