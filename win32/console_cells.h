// The cells of a Windows console's screen buffer, as its output calls write and read
// them, and the device's cells they show. Pure translations; writing and reading them
// is the device's job.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "device/cell.h"

namespace zul {

// How a Windows console holds the halves of an East Asian wide character: both cells
// hold the character, the left one flagged as the leading half, the right one as the
// trailing half (COMMON_LVB_LEADING_BYTE and COMMON_LVB_TRAILING_BYTE).
constexpr uint16_t kLeadingHalf = 0x0100;
constexpr uint16_t kTrailingHalf = 0x0200;

// A console cell as WriteConsoleOutputW and ReadConsoleOutputW take it: one UTF-16 unit
// and the attribute bits.
struct ConsoleCell {
  char16_t character = u' ';
  uint16_t attributes = 0;
  bool operator==(const ConsoleCell&) const = default;
};

// The console cell that shows `cells[index]`: its character (control characters as their
// glyphs; one beyond the 16 bits of a unit as U+FFFD) with the halves of a wide character
// flagged. A half whose other half is not beside it in `cells` shows as a blank.
ConsoleCell ToConsoleCell(std::span<const Cell> cells, std::size_t index);

// The cell a console cell read back holds: the right half of a wide character as
// kRightHalf, a zero unit as a blank, the attribute without the halves' flags.
Cell FromConsoleCell(ConsoleCell cell);

}  // namespace zul
