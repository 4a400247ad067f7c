#include "dialogs/button.h"

#include <algorithm>
#include <vector>

#include "device/text_cells.h"
#include "dialogs/dialog_style.h"
#include "dialogs/drawing.h"

namespace zul {

void OkCancelButtons::Layout(int left, int right, int row) {
  constexpr int kGap = 2;
  if (row < 0) return Hide();
  const int total = buttons_[0].FullWidth() + kGap + buttons_[1].FullWidth();
  const int room = right - left + 1;
  int x = total <= room ? left + (room - total) / 2 : left;
  for (Button& button : buttons_) {
    button.at = Coord{ClampToInt16(x), ClampToInt16(row)};
    button.width = std::clamp(std::min(button.FullWidth(), right - x + 1), 0, button.FullWidth());
    x += button.FullWidth() + kGap;
  }
}

void OkCancelButtons::Hide() {
  for (Button& button : buttons_) button.width = 0;
}

void OkCancelButtons::Draw(ConsoleDevice& device, const CodePage& code_page) const {
  using namespace dialog_style;
  for (const Button& button : buttons_) {
    if (button.width <= 0) continue;
    const bool focused = &button == &buttons_[0];  // OK, the default
    const uint16_t attribute = focused ? kButtonFocus : kButton;
    std::vector<Cell> cells{Cell{focused ? kDefaultLeft : U'[', attribute}, Cell{U' ', attribute}};
    AppendTextCells(button.label, code_page, attribute, -1, cells);
    cells.push_back(Cell{U' ', attribute});
    cells.push_back(Cell{focused ? kDefaultRight : U']', attribute});
    cells.resize(static_cast<std::size_t>(std::min(button.width, button.FullWidth())));
    WriteCells(device, button.at, std::move(cells));
  }
}

DialogResult OkCancelButtons::Hit(Coord cell) const {
  if (buttons_[0].Hit(cell)) return DialogResult::kOk;
  return buttons_[1].Hit(cell) ? DialogResult::kCancel : DialogResult::kOpen;
}

}  // namespace zul
