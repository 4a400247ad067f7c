#include "console/text_screen.h"

#include <algorithm>
#include <vector>

#include "device/text_cells.h"

namespace zul {

namespace {
constexpr uint32_t kFallbackCursorSize = 10;

bool InColourRange(int32_t value) { return static_cast<uint32_t>(value) <= 15; }
}  // namespace

TextScreen::TextScreen(ConsoleDevice& device, const CodePage& code_page) : device_(device), code_page_(code_page) {
  if (!device_.GetCursorInfo(cursor_shape_) || cursor_shape_.size == 0)
    cursor_shape_ = CursorInfo{kFallbackCursorSize, true};
  device_.SetOutputMode(kStartOutputMode);
  device_.SetInputMode(0);
}

void TextScreen::SetColour(int32_t foreground, int32_t background) {
  if (InColourRange(foreground)) foreground_ = foreground;
  if (InColourRange(background)) background_ = background;
  device_.SetTextAttribute(Attribute());
}

void TextScreen::Clear() {
  BufferInfo info;
  if (!device_.GetBufferInfo(info)) return;
  device_.SetCursorInfo(CursorInfo{cursor_shape_.size, false});
  const uint32_t cells = static_cast<uint32_t>(info.size.x) * static_cast<uint32_t>(info.size.y);
  device_.FillCells({0, 0}, cells, Cell{' ', Attribute()});
  device_.SetCursorPosition({0, 0});
  scroll_pending_ = false;
  if (cursor_shape_.visible) device_.SetCursorInfo(cursor_shape_);
}

// Text wraps at the row's end; on the last row it scrolls only when more text comes
// (scroll pending), as the console's character stream does, so that a line that fills
// the last row leaves the screen unscrolled.
void TextScreen::Write(const Text& text) {
  BufferInfo info;
  if (!device_.GetBufferInfo(info)) return;
  const int width = info.size.x;
  const int height = info.size.y;
  int x = info.cursor.x;
  int y = info.cursor.y;
  const uint16_t attribute = Attribute();
  std::vector<Cell> cells;
  AppendTextCells(text, code_page_, attribute, -1, cells);
  std::size_t done = 0;
  while (done < cells.size()) {
    if (scroll_pending_) {
      scroll_pending_ = false;
      ScrollUpOneRow(info.size);
    }
    const std::size_t n = std::min<std::size_t>(cells.size() - done, static_cast<std::size_t>(width - x));
    device_.WriteCells({static_cast<int16_t>(x), static_cast<int16_t>(y)},
                       std::span<const Cell>(cells).subspan(done, n));
    done += n;
    x += static_cast<int>(n);
    if (x >= width) {
      x = 0;
      if (y == height - 1)
        scroll_pending_ = true;
      else
        ++y;
    }
  }
  device_.SetCursorPosition({static_cast<int16_t>(x), static_cast<int16_t>(y)});
}

// Ending a line: below the last row the cursor moves to the start of the next
// row. On the last row a pending scroll happens, then one scroll in any case,
// and the cursor goes to the start of the last row.
void TextScreen::EndLine() {
  BufferInfo info;
  if (!device_.GetBufferInfo(info)) return;
  const int16_t last_row = static_cast<int16_t>(info.size.y - 1);
  if (info.cursor.y < last_row) {
    device_.SetCursorPosition({0, static_cast<int16_t>(info.cursor.y + 1)});
    scroll_pending_ = false;
    return;
  }
  if (scroll_pending_) {
    scroll_pending_ = false;
    ScrollUpOneRow(info.size);
  }
  ScrollUpOneRow(info.size);
  device_.SetCursorPosition({0, last_row});
}

void TextScreen::WriteLine(const Text& text) {
  Write(text);
  EndLine();
}

// The whole buffer moves up one row; the bottom row becomes blanks in the
// current attribute. The cursor does not move.
void TextScreen::ScrollUpOneRow(Coord size) {
  const Cell blank{' ', Attribute()};
  if (size.y <= 1) {
    device_.FillCells({0, 0}, static_cast<uint32_t>(size.x), blank);
    return;
  }
  device_.ScrollRegion(InclusiveRect::FromSize({0, 1}, size.x, size.y - 1), {0, 0}, blank);
}

// The buffer grows first, so that the window fits in it whether the size grows or
// shrinks; then the window and the buffer take the new size. When the window
// cannot take it, those two calls fail and the grown buffer stays. A side compares
// as unsigned, so a negative one is too large.
void TextScreen::SetSize(int32_t columns, int32_t rows) {
  if (static_cast<uint32_t>(columns) > kLargestSettableSide || static_cast<uint32_t>(rows) > kLargestSettableSide)
    return;
  BufferInfo info;
  if (device_.GetBufferInfo(info)) {
    device_.SetBufferSize({static_cast<int16_t>(std::max<int32_t>(info.size.x, columns)),
                           static_cast<int16_t>(std::max<int32_t>(info.size.y, rows))});
  }
  device_.SetWindowRect(InclusiveRect::FromSize({0, 0}, columns, rows));
  device_.SetBufferSize({static_cast<int16_t>(columns), static_cast<int16_t>(rows)});
}

void TextScreen::SetWindowTitle(const Text& title) { device_.SetTitle(title); }

void TextScreen::MouseInputOn() { device_.SetInputMode(kMouseInputMode); }

}  // namespace zul
