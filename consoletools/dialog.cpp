#include "consoletools/dialog.h"

#include <algorithm>

#include "consoletools/dialog_style.h"
#include "device/byte_keys.h"
#include "device/private_input_flags.h"
#include "device/text_cells.h"

namespace zul {

namespace {

// The buffer as a rectangle; empty when its size cannot be read.
InclusiveRect BufferRect(ConsoleDevice& device) {
  BufferInfo info;
  if (!device.GetBufferInfo(info)) return kEmptyRect;
  return InclusiveRect::FromSize({0, 0}, info.size.x, info.size.y);
}

}  // namespace

// Placing a box:
// 1. shrink it to the window;
// 2. centre it on the given cell (counted from 1);
// 3. move it into the window, keeping room for the shadow where the window has it.
InclusiveRect PlaceDialog(const InclusiveRect& window, int width, int height, int32_t column, int32_t row) {
  if (window.IsEmpty() || width < 1 || height < 1) return kEmptyRect;
  const int64_t w = std::min(width, window.Width());
  const int64_t h = std::min(height, window.Height());
  const int64_t room_x = w + kShadowColumns <= window.Width() ? kShadowColumns : 0;
  const int64_t room_y = h + kShadowRows <= window.Height() ? kShadowRows : 0;
  int64_t left = static_cast<int64_t>(column) - 1 - w / 2;
  int64_t top = static_cast<int64_t>(row) - 1 - h / 2;
  left = std::clamp<int64_t>(left, window.left, window.right - w + 1 - room_x);
  top = std::clamp<int64_t>(top, window.top, window.bottom - h + 1 - room_y);
  return InclusiveRect::FromSize({ClampToInt16(left), ClampToInt16(top)}, w, h);
}

InclusiveRect AreaWithShadow(const InclusiveRect& box, const InclusiveRect& clip) {
  if (box.IsEmpty()) return kEmptyRect;
  const InclusiveRect area{box.left, box.top, ClampToInt16(box.right + kShadowColumns),
                           ClampToInt16(box.bottom + kShadowRows)};
  return area.Intersect(clip);
}

SavedRegion::SavedRegion(ConsoleDevice& device, const InclusiveRect& area) : device_(device) {
  BufferInfo info;
  if (device_.GetBufferInfo(info)) cursor_ = info.cursor;
  have_cursor_info_ = device_.GetCursorInfo(cursor_info_);
  Save(area);
}

SavedRegion::~SavedRegion() { Restore(); }

void SavedRegion::Restore() {
  if (restored_) return;
  restored_ = true;
  PutCellsBack();
  device_.SetCursorPosition(cursor_);
  if (have_cursor_info_) device_.SetCursorInfo(cursor_info_);
}

void SavedRegion::Move(const InclusiveRect& area) {
  if (restored_) return;
  PutCellsBack();
  Save(area);
}

void SavedRegion::Save(const InclusiveRect& area) {
  area_ = area.Intersect(BufferRect(device_));
  cells_.clear();
  if (area_.IsEmpty()) return;
  const auto width = static_cast<std::size_t>(area_.Width());
  cells_.resize(width * static_cast<std::size_t>(area_.Height()));
  for (int y = area_.top; y <= area_.bottom; ++y) {
    std::span<Cell> row(cells_.data() + static_cast<std::size_t>(y - area_.top) * width, width);
    device_.ReadCells(Coord{area_.left, static_cast<int16_t>(y)}, row);
  }
}

// Only where the buffer still has the cells: one that shrank since they were
// saved (a resize) gets back the part it kept and no write beyond its edges.
void SavedRegion::PutCellsBack() {
  const InclusiveRect kept = area_.Intersect(BufferRect(device_));
  if (kept.IsEmpty()) return;
  const auto width = static_cast<std::size_t>(area_.Width());
  const auto count = static_cast<std::size_t>(kept.Width());
  const auto skip = static_cast<std::size_t>(kept.left - area_.left);
  for (int y = kept.top; y <= kept.bottom; ++y) {
    std::span<const Cell> row(cells_.data() + static_cast<std::size_t>(y - area_.top) * width + skip, count);
    device_.WriteCells(Coord{kept.left, static_cast<int16_t>(y)}, row);
  }
}

DialogInputModes DialogInputModesFor(uint32_t found) {
  using namespace input_mode;
  const uint32_t told = WithDefaultPrivateFlags(found);
  return DialogInputModes{(told | kMouse | kExtendedFlags) & ~kQuickEdit, told};
}

DialogSession::DialogSession(ConsoleDevice& device) : device_(device) {
  have_mode_ = device_.GetInputMode(saved_mode_);
  device_.SetInputMode(DialogInputModesFor(have_mode_ ? saved_mode_ : 0).inside);
}

DialogSession::~DialogSession() { Close(); }

void DialogSession::Close() {
  if (closed_) return;
  closed_ = true;
  if (have_mode_) device_.SetInputMode(DialogInputModesFor(saved_mode_).given_back);
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

void WriteText(ConsoleDevice& device, Coord at, std::string_view text, uint16_t attribute, int width) {
  std::vector<Cell> cells;
  AppendTextCells(text, device.TextCodePage(), attribute, width, cells);
  if (width >= 0) cells.resize(static_cast<std::size_t>(width), Cell{U' ', attribute});
  WriteCells(device, at, std::move(cells));
}

void WriteCentred(ConsoleDevice& device, Coord at, std::string_view text, uint16_t attribute, int width) {
  if (width < 1) return;
  const int columns = TextColumns(text, device.TextCodePage());
  const int lead = columns < width ? (width - columns) / 2 : 0;
  std::vector<Cell> cells(static_cast<std::size_t>(lead), Cell{U' ', attribute});
  AppendTextCells(text, device.TextCodePage(), attribute, width - lead, cells);
  cells.resize(static_cast<std::size_t>(width), Cell{U' ', attribute});
  WriteCells(device, at, std::move(cells));
}

void DrawFrame(ConsoleDevice& device, const InclusiveRect& box, uint16_t frame_attribute, std::string_view title,
               uint16_t title_attribute) {
  using namespace dialog_style;
  if (box.Width() < 2 || box.Height() < 2) return;
  const int inner = box.Width() - 2;
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
  if (title.empty() || inner < 3) return;
  std::vector<Cell> shown(1, Cell{U' ', title_attribute});
  AppendTextCells(title, device.TextCodePage(), title_attribute, inner - 2, shown);
  shown.push_back(Cell{U' ', title_attribute});
  const int at = box.left + 1 + (inner - static_cast<int>(shown.size())) / 2;
  WriteCells(device, {static_cast<int16_t>(at), box.top}, std::move(shown));
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
  if (button.width <= 0) return;
  const std::string face = "[ " + button.label + " ]";
  WriteText(device, button.at, face, focused ? dialog_style::kButtonFocus : dialog_style::kButton, button.width);
}

bool IsEscapeKey(const KeyEvent& key) { return key.key == vk::kEscape || key.character == typed::kEscape; }

bool IsCtrlLetter(const KeyEvent& key, char letter) {
  return key.key == static_cast<uint16_t>(letter) && (key.modifiers & modifier::kCtrl) != 0 &&
         (key.modifiers & modifier::kAlt) == 0;
}

bool IsCancelKey(const KeyEvent& key) {
  return IsEscapeKey(key) || key.character == typed::kCtrlC || IsCtrlLetter(key, 'C');
}

bool IsEnterKey(const KeyEvent& key) {
  return key.key == vk::kReturn || (key.key == 0 && key.character == typed::kEnter);
}

bool IsTypedCharacter(const KeyEvent& key) {
  if (key.character < 0x20) return false;
  switch (key.key) {
    case vk::kBack:
    case vk::kReturn:
    case vk::kEscape:
    case vk::kTab:
      return false;
    case vk::kDelete:
      if (key.character == typed::kDelete) return false;
      break;
    default:
      break;
  }
  const bool ctrl = (key.modifiers & modifier::kCtrl) != 0;
  const bool alt = (key.modifiers & modifier::kAlt) != 0;
  return ctrl == alt;
}

bool IsLeftPress(const MouseEvent& mouse) {
  return (mouse.buttons & mouse::kLeftButton) != 0 && (mouse.flags == 0 || mouse.flags == mouse::kDoubleClick);
}

DialogResult RunDialog(ConsoleDevice& device, Dialog& dialog) {
  DialogSession session(device);
  BufferInfo info;
  if (!device.GetBufferInfo(info)) return DialogResult::kCancel;
  InclusiveRect box = dialog.Layout(info);
  SavedRegion saved(device, AreaWithShadow(box, info.window));
  auto draw = [&] {
    SetCursorShown(device, false);
    if (box.IsEmpty()) return;
    DrawShadow(device, box, info.window);
    dialog.Draw(device);
  };
  draw();

  DialogResult result = DialogResult::kOpen;
  while (result == DialogResult::kOpen) {
    InputEvent event;
    if (!device.ReadInput(event, -1)) event.kind = InputEvent::Kind::kEnd;
    switch (event.kind) {
      case InputEvent::Kind::kKey:
        result = dialog.OnKey(device, event.key);
        break;
      case InputEvent::Kind::kMouse:
        result = dialog.OnMouse(device, event.mouse);
        break;
      case InputEvent::Kind::kResize:
        if (device.GetBufferInfo(info)) {
          box = dialog.Layout(info);
          saved.Move(AreaWithShadow(box, info.window));
          draw();
        }
        break;
      case InputEvent::Kind::kEnd:
        result = DialogResult::kCancel;
        break;
    }
  }
  saved.Restore();
  session.Close();
  device.Flush();
  return result;
}

}  // namespace zul
