#include "win32/console_cells.h"

#include "base/unicode.h"
#include "device/text_cells.h"

namespace zul {

ConsoleCell ToConsoleCell(std::span<const Cell> cells, std::size_t index) {
  const Cell& cell = cells[index];
  const auto attributes = static_cast<uint16_t>(cell.attribute & ~(kLeadingHalf | kTrailingHalf));
  auto unit = [](char32_t character) {
    const char32_t shown = ShownCharacter(character);
    return IsOneUtf16Unit(shown) ? static_cast<char16_t>(shown) : static_cast<char16_t>(kReplacementCharacter);
  };
  const char32_t before = index > 0 ? cells[index - 1].character : 0;
  const char32_t after = index + 1 < cells.size() ? cells[index + 1].character : 0;
  if (IsLoneHalf(before, cell.character, after)) return ConsoleCell{u' ', attributes};
  if (cell.character == kRightHalf)
    return ConsoleCell{unit(before), static_cast<uint16_t>(attributes | kTrailingHalf)};
  if (CharacterWidth(cell.character) == 2)
    return ConsoleCell{unit(cell.character), static_cast<uint16_t>(attributes | kLeadingHalf)};
  return ConsoleCell{unit(cell.character), attributes};
}

Cell FromConsoleCell(ConsoleCell cell) {
  const auto attribute = static_cast<uint16_t>(cell.attributes & ~(kLeadingHalf | kTrailingHalf));
  if ((cell.attributes & kTrailingHalf) != 0) return Cell{kRightHalf, attribute, 0};
  return Cell{cell.character == 0 ? U' ' : char32_t(cell.character), attribute, 0};
}

}  // namespace zul
