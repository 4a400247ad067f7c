#include "dialogs/drawing.h"

#include <span>

#include "device/text_cells.h"
#include "dialogs/dialog_style.h"
#include "dialogs/placement.h"

namespace zul {

InclusiveRect BufferRect(ConsoleDevice& device) {
  BufferInfo info;
  if (!device.GetBufferInfo(info)) return kEmptyRect;
  return InclusiveRect::FromSize({0, 0}, info.size.x, info.size.y);
}

void SetCursorShown(ConsoleDevice& device, bool visible) {
  CursorInfo cursor;
  if (!device.GetCursorInfo(cursor) || !cursor.SizeValid()) cursor = CursorInfo{};
  cursor.visible = visible;
  device.SetCursorInfo(cursor);
}

void FillRect(ConsoleDevice& device, const InclusiveRect& area, Cell fill) {
  const InclusiveRect r = area.Intersect(BufferRect(device));
  if (r.IsEmpty()) return;
  for (int y = r.top; y <= r.bottom; ++y)
    device.FillCells(Coord{r.left, static_cast<int16_t>(y)}, static_cast<uint32_t>(r.Width()), fill);
}

void WriteCells(ConsoleDevice& device, Coord at, std::vector<Cell> cells) {
  if (at.x < 0) {
    const std::size_t skip = static_cast<std::size_t>(-at.x);
    if (skip >= cells.size()) return;
    cells.erase(cells.begin(), cells.begin() + static_cast<std::ptrdiff_t>(skip));
    at.x = 0;
  }
  device.WriteCells(at, cells);
}

void WriteText(ConsoleDevice& device, const CodePage& code_page, Coord at, std::string_view text,
               uint16_t attribute, int width) {
  std::vector<Cell> cells;
  AppendTextCells(text, code_page, attribute, width, cells);
  if (width >= 0) cells.resize(static_cast<std::size_t>(width), Cell{U' ', attribute});
  WriteCells(device, at, std::move(cells));
}

void DrawFrame(ConsoleDevice& device, const InclusiveRect& box, uint16_t frame_attribute) {
  using namespace dialog_style;
  if (box.Width() < 2 || box.Height() < 2) return;
  auto edge = [&](char32_t left, char32_t right) {
    std::vector<Cell> cells(static_cast<std::size_t>(box.Width()), Cell{kHorizontal, frame_attribute});
    cells.front().character = left;
    cells.back().character = right;
    return cells;
  };
  WriteCells(device, {box.left, box.top}, edge(kTopLeft, kTopRight));
  WriteCells(device, {box.left, box.bottom}, edge(kBottomLeft, kBottomRight));
  const Cell side{kVertical, frame_attribute};
  for (int y = box.top + 1; y < box.bottom; ++y) {
    device.WriteCells({box.left, static_cast<int16_t>(y)}, std::span<const Cell>(&side, 1));
    device.WriteCells({box.right, static_cast<int16_t>(y)}, std::span<const Cell>(&side, 1));
  }
}

void DrawShadow(ConsoleDevice& device, const InclusiveRect& box, const InclusiveRect& clip) {
  if (box.IsEmpty()) return;
  const InclusiveRect limit = clip.Intersect(BufferRect(device));
  const InclusiveRect strips[] = {
      {ClampToInt16(box.right + 1), ClampToInt16(box.top + 1), ClampToInt16(box.right + kShadowColumns),
       ClampToInt16(box.bottom + kShadowRows)},
      {ClampToInt16(box.left + kShadowColumns), ClampToInt16(box.bottom + 1), box.right,
       ClampToInt16(box.bottom + kShadowRows)},
  };
  for (const InclusiveRect& strip : strips) {
    const InclusiveRect r = strip.Intersect(limit);
    if (r.IsEmpty()) continue;
    std::vector<Cell> row(static_cast<std::size_t>(r.Width()));
    for (int y = r.top; y <= r.bottom; ++y) {
      const Coord at{r.left, static_cast<int16_t>(y)};
      if (!device.ReadCells(at, row)) continue;
      for (Cell& cell : row) cell.attribute = dialog_style::kShadow;
      device.WriteCells(at, row);
    }
  }
}

void DrawFieldRow(ConsoleDevice& device, const CodePage& code_page, TextField& field, Coord at, int width,
                  bool marks, std::string_view label) {
  using namespace dialog_style;
  field.KeepCursorVisible(width);
  const TextField::View view = field.Show(width, kField);
  std::vector<Cell> cells;
  AppendTextCells(label, code_page, kTitle, -1, cells);
  const int lead = static_cast<int>(cells.size()) + (marks ? 1 : 0);
  if (marks) cells.push_back(Cell{view.more_left ? kMoreLeft : U' ', kTitle});
  cells.insert(cells.end(), view.cells.begin(), view.cells.end());
  if (marks) cells.push_back(Cell{view.more_right ? kMoreRight : U' ', kTitle});
  WriteCells(device, {ClampToInt16(at.x - lead), at.y}, std::move(cells));
  device.SetCursorPosition({ClampToInt16(at.x + view.cursor), at.y});
  SetCursorShown(device, true);
}

}  // namespace zul
