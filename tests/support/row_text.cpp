#include "tests/support/row_text.h"

#include <algorithm>

#include "base/code_page.h"

namespace zul::testing {

std::string RowText(const VirtualConsole& console, int y) { return RowText(console, y, 0, console.Size().x); }

std::string RowText(const VirtualConsole& console, int y, int x, int count) {
  std::string text;
  if (y < 0 || y >= console.Size().y) return text;
  for (int i = std::max(x, 0); i < std::min(x + count, static_cast<int>(console.Size().x)); ++i) {
    const Cell& cell = console.At({static_cast<int16_t>(i), static_cast<int16_t>(y)});
    if (cell.character == kRightHalf) continue;
    AppendUtf8(cell.character, text);
    if (cell.mark != 0) AppendUtf8(cell.mark, text);
  }
  return text;
}

}  // namespace zul::testing
