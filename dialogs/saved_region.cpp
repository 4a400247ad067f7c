#include "dialogs/saved_region.h"

#include <span>

#include "dialogs/drawing.h"

namespace zul {

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
  // A shape the console did not tell, or would not take back, gives way to a new
  // console's: shown, as whoever uses the console next expects it.
  device_.SetCursorInfo(have_cursor_info_ && cursor_info_.SizeValid() ? cursor_info_ : CursorInfo{});
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

}  // namespace zul
