#include "device/virtual_console.h"

#include <algorithm>

namespace zul {

namespace {
constexpr int kMaxBufferSide = 32766;
}

VirtualConsole::VirtualConsole(Coord size, Coord largest, const CodePage& title_code_page)
    : size_(size),
      window_(InclusiveRect::FromSize({0, 0}, size.x, size.y)),
      largest_(largest),
      title_code_page_(&title_code_page),
      cells_(static_cast<std::size_t>(size.x) * static_cast<std::size_t>(size.y), Cell{}) {}

bool VirtualConsole::GetBufferInfo(BufferInfo& info) {
  info.size = size_;
  info.cursor = cursor_;
  info.attribute = attribute_;
  info.window = window_;
  info.largest_window = {std::min(size_.x, largest_.x), std::min(size_.y, largest_.y)};
  return true;
}

bool VirtualConsole::WriteCells(Coord at, std::span<const Cell> cells) {
  if (!InBuffer(at)) return false;
  const std::size_t room = static_cast<std::size_t>(size_.x - at.x);
  const std::size_t n = std::min(room, cells.size());
  std::copy_n(cells.begin(), n, cells_.begin() + static_cast<std::ptrdiff_t>(Index(at)));
  return true;
}

bool VirtualConsole::ReadCells(Coord at, std::span<Cell> cells) {
  if (!InBuffer(at)) return false;
  const std::size_t room = static_cast<std::size_t>(size_.x - at.x);
  const std::size_t n = std::min(room, cells.size());
  std::copy_n(cells_.begin() + static_cast<std::ptrdiff_t>(Index(at)), n, cells.begin());
  return true;
}

bool VirtualConsole::FillCells(Coord at, uint32_t count, Cell fill) {
  if (!InBuffer(at)) return false;
  const std::size_t start = Index(at);
  const std::size_t n = std::min<std::size_t>(count, cells_.size() - start);
  std::fill_n(cells_.begin() + static_cast<std::ptrdiff_t>(start), n, fill);
  return true;
}

// Scrolling a region, as the Windows console does it:
// 1. clip the source to the buffer; an empty source fails;
// 2. copy the source cells aside;
// 3. fill the source with `fill`;
// 4. write the copy at the destination, clipped to the buffer, so that only the
//    source cells that the destination does not cover keep the fill.
bool VirtualConsole::ScrollRegion(InclusiveRect source, Coord destination, Cell fill) {
  const InclusiveRect clipped = source.Intersect(Buffer());
  if (clipped.IsEmpty()) return false;
  const int dx = destination.x + (clipped.left - source.left);
  const int dy = destination.y + (clipped.top - source.top);
  const int width = clipped.Width();
  const int height = clipped.Height();

  std::vector<Cell> copy;
  copy.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int y = clipped.top; y <= clipped.bottom; ++y)
    for (int x = clipped.left; x <= clipped.right; ++x) copy.push_back(At({int16_t(x), int16_t(y)}));

  for (int y = clipped.top; y <= clipped.bottom; ++y)
    for (int x = clipped.left; x <= clipped.right; ++x) cells_[Index({int16_t(x), int16_t(y)})] = fill;

  for (int row = 0; row < height; ++row) {
    for (int col = 0; col < width; ++col) {
      const int x = dx + col;
      const int y = dy + row;
      if (x < 0 || y < 0 || x >= size_.x || y >= size_.y) continue;
      cells_[Index({int16_t(x), int16_t(y)})] =
          copy[static_cast<std::size_t>(row) * static_cast<std::size_t>(width) + static_cast<std::size_t>(col)];
    }
  }
  return true;
}

bool VirtualConsole::SetCursorPosition(Coord position) {
  if (!InBuffer(position)) return false;
  cursor_ = position;
  return true;
}

bool VirtualConsole::GetCursorInfo(CursorInfo& info) {
  info = cursor_info_;
  return true;
}

bool VirtualConsole::SetCursorInfo(const CursorInfo& info) {
  if (!info.SizeValid()) return false;
  cursor_info_ = info;
  return true;
}

bool VirtualConsole::SetTextAttribute(uint16_t attribute) {
  attribute_ = attribute;
  return true;
}

// A new buffer size keeps the cells that still fit; new cells are blanks in the
// current attribute. It may not be smaller than the window; a window that would
// leave the smaller buffer moves up and left into it.
bool VirtualConsole::SetBufferSize(Coord size) {
  if (size.x < 1 || size.y < 1 || size.x > kMaxBufferSide || size.y > kMaxBufferSide) return false;
  if (size.x < window_.Width() || size.y < window_.Height()) return false;
  std::vector<Cell> cells(static_cast<std::size_t>(size.x) * static_cast<std::size_t>(size.y),
                          Cell{' ', attribute_});
  const int keep_x = std::min(size.x, size_.x);
  const int keep_y = std::min(size.y, size_.y);
  for (int y = 0; y < keep_y; ++y)
    for (int x = 0; x < keep_x; ++x)
      cells[static_cast<std::size_t>(y) * static_cast<std::size_t>(size.x) + static_cast<std::size_t>(x)] =
          At({int16_t(x), int16_t(y)});
  cells_ = std::move(cells);
  size_ = size;
  if (window_.right >= size.x) {
    const int shift = window_.right - (size.x - 1);
    window_.left = static_cast<int16_t>(window_.left - shift);
    window_.right = static_cast<int16_t>(window_.right - shift);
  }
  if (window_.bottom >= size.y) {
    const int shift = window_.bottom - (size.y - 1);
    window_.top = static_cast<int16_t>(window_.top - shift);
    window_.bottom = static_cast<int16_t>(window_.bottom - shift);
  }
  cursor_.x = std::min<int16_t>(cursor_.x, static_cast<int16_t>(size.x - 1));
  cursor_.y = std::min<int16_t>(cursor_.y, static_cast<int16_t>(size.y - 1));
  return true;
}

bool VirtualConsole::SetWindowRect(InclusiveRect window) {
  if (window.IsEmpty() || !Buffer().Covers(window)) return false;
  if (window.Width() > largest_.x || window.Height() > largest_.y) return false;
  window_ = window;
  return true;
}

bool VirtualConsole::SetTitle(const std::string& title) {
  title_ = title;
  return true;
}

bool VirtualConsole::GetTitle(std::string& title) {
  title = title_;
  return true;
}

bool VirtualConsole::GetInputMode(uint32_t& mode) {
  mode = input_mode_;
  return true;
}

// As on Windows, quick-edit changes only when the extended flags come with the mode.
bool VirtualConsole::SetInputMode(uint32_t mode) {
  input_mode_ = mode;
  if (mode & input_mode::kExtendedFlags) quick_edit_ = (mode & input_mode::kQuickEdit) != 0;
  return true;
}

bool VirtualConsole::ReadInput(InputEvent& event, int /*timeout_ms*/) {
  event = InputEvent{};
  event.kind = InputEvent::Kind::kEnd;
  return true;
}

bool VirtualConsole::MouseReporting() const { return (input_mode_ & input_mode::kMouse) != 0 && !quick_edit_; }

}  // namespace zul
