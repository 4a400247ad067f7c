// What lies under a dialog while it is open: the cells of its box and shadow, and
// the cursor, put back exactly when it closes or moves.
#pragma once

#include <vector>

#include "device/console_device.h"

namespace zul {

// The cells of a rectangle, and the cursor's position and shape. Restore puts them
// back exactly, once; the destructor restores what has not been restored yet.
class SavedRegion {
 public:
  // Saves `area` (clipped to the buffer) and the cursor.
  SavedRegion(ConsoleDevice& device, const InclusiveRect& area);
  ~SavedRegion();
  SavedRegion(const SavedRegion&) = delete;
  SavedRegion& operator=(const SavedRegion&) = delete;

  // Puts the saved cells back (those the buffer still has, should it have
  // shrunk) and the cursor as it was, its shape shown as a new console's when
  // the console told none it would take back; later calls do nothing.
  void Restore();
  // Puts the saved cells back (the cursor stays), then saves `area` instead:
  // for a dialog that moves to another place.
  void Move(const InclusiveRect& area);
  // The saved rectangle, clipped to the buffer as it was when saved.
  const InclusiveRect& Area() const { return area_; }

 private:
  void Save(const InclusiveRect& area);
  void PutCellsBack();

  ConsoleDevice& device_;
  InclusiveRect area_;
  std::vector<Cell> cells_;
  Coord cursor_;
  CursorInfo cursor_info_;
  bool have_cursor_info_ = false;
  bool restored_ = false;
};

}  // namespace zul
