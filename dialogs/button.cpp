#include "dialogs/button.h"

#include <algorithm>
#include <vector>

#include "device/text_cells.h"
#include "dialogs/dialog_style.h"
#include "dialogs/drawing.h"

namespace zul {

void LayoutButtons(std::span<Button> buttons, int left, int right, int row, int gap) {
  int total = 0;
  for (const Button& button : buttons) total += button.FullWidth();
  if (!buttons.empty()) total += gap * static_cast<int>(buttons.size() - 1);
  const int room = right - left + 1;
  int x = total <= room ? left + (room - total) / 2 : left;
  for (Button& button : buttons) {
    button.at = Coord{ClampToInt16(x), ClampToInt16(row)};
    button.width = std::clamp(std::min(button.FullWidth(), right - x + 1), 0, button.FullWidth());
    x += button.FullWidth() + gap;
  }
}

void DrawButton(ConsoleDevice& device, const Button& button, bool focused) {
  using namespace dialog_style;
  if (button.width <= 0) return;
  const uint16_t attribute = focused ? kButtonFocus : kButton;
  std::vector<Cell> cells{Cell{focused ? kDefaultLeft : U'[', attribute}, Cell{U' ', attribute}};
  AppendTextCells(button.label, device.TextCodePage(), attribute, -1, cells);
  cells.push_back(Cell{U' ', attribute});
  cells.push_back(Cell{focused ? kDefaultRight : U']', attribute});
  cells.resize(static_cast<std::size_t>(std::min(button.width, button.FullWidth())));
  WriteCells(device, button.at, std::move(cells));
}

void OkCancelButtons::Layout(int left, int right, int row) {
  if (row < 0) return Hide();
  LayoutButtons(buttons_, left, right, row);
}

void OkCancelButtons::Hide() {
  for (Button& button : buttons_) button.width = 0;
}

void OkCancelButtons::Draw(ConsoleDevice& device) const {
  DrawButton(device, buttons_[0], true);
  DrawButton(device, buttons_[1], false);
}

DialogResult OkCancelButtons::Hit(Coord cell) const {
  if (buttons_[0].Hit(cell)) return DialogResult::kOk;
  return buttons_[1].Hit(cell) ? DialogResult::kCancel : DialogResult::kOpen;
}

}  // namespace zul
