// The console device: the seam between the program and the console it draws on.
// Its calls are shaped after the Windows console API. On Windows it passes them
// through; elsewhere a virtual console holds the cells in memory and a terminal
// presenter shows its window. Every call reports success as the Windows call
// would; callers of the text screen ignore the results, as the console allows.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "device/cell.h"
#include "device/input_events.h"

namespace zul {

// Console output modes.
namespace output_mode {
constexpr uint32_t kProcessed = 0x0001;
constexpr uint32_t kWrapAtEol = 0x0002;
}  // namespace output_mode

// The state of the screen buffer, like CONSOLE_SCREEN_BUFFER_INFO.
struct BufferInfo {
  Coord size;
  Coord cursor;
  uint16_t attribute = colour::kDefaultAttribute;
  InclusiveRect window;
  Coord largest_window;
};

// Cursor size (1 to 100, percent of the cell) and visibility; by default, the
// shape of a new console's cursor.
struct CursorInfo {
  uint32_t size = 25;
  bool visible = true;
  // Whether a console takes this size.
  bool SizeValid() const { return size >= 1 && size <= 100; }
};

class ConsoleDevice {
 public:
  virtual ~ConsoleDevice() = default;

  virtual bool GetBufferInfo(BufferInfo& info) = 0;
  // Writes cells into row at.y from column at.x; cells beyond the row's end are dropped.
  virtual bool WriteCells(Coord at, std::span<const Cell> cells) = 0;
  // Reads cells of row at.y from column at.x; cells beyond the row's end are left as given.
  virtual bool ReadCells(Coord at, std::span<Cell> cells) = 0;
  // Sets `count` cells from `at` to `fill`, running on across rows and stopping at
  // the end of the buffer.
  virtual bool FillCells(Coord at, uint32_t count, Cell fill) = 0;
  // Moves the cells of `source` so that its top-left lands on `destination`;
  // cells of `source` that nothing covers become `fill`. Clipped to the buffer.
  virtual bool ScrollRegion(InclusiveRect source, Coord destination, Cell fill) = 0;
  virtual bool SetCursorPosition(Coord position) = 0;
  virtual bool GetCursorInfo(CursorInfo& info) = 0;
  // Fails for a size outside 1..100.
  virtual bool SetCursorInfo(const CursorInfo& info) = 0;
  // The attribute for text that arrives through the character stream.
  virtual bool SetTextAttribute(uint16_t attribute) = 0;
  // Fails when the size is smaller than the window in either direction. Under a
  // pseudo console (Windows Terminal, the VS Code terminal), whose size is its
  // terminal's, this and SetWindowRect change nothing and report success.
  virtual bool SetBufferSize(Coord size) = 0;
  // Absolute window rectangle; fails when it would leave the buffer or exceed the
  // largest window.
  virtual bool SetWindowRect(InclusiveRect window) = 0;
  virtual bool SetTitle(const std::string& title) = 0;
  virtual bool GetTitle(std::string& title) = 0;
  virtual bool GetInputMode(uint32_t& mode) = 0;
  virtual bool SetInputMode(uint32_t mode) = 0;
  virtual bool SetOutputMode(uint32_t mode) = 0;
  // Whether a paste comes as one kPaste event, its text apart from any key, rather
  // than as typed keys: on while a dialog is open. A terminal does it with bracketed
  // paste; a Windows console brings a paste as key records, which cannot be told
  // from typing, and reports false.
  virtual bool SetPasteAsText(bool on) = 0;

  // Gives the next input event, waiting up to `timeout_ms` (negative: no limit)
  // for one; before it waits it shows what has been drawn. False when none came
  // in time. At the end of the input it gives a kEnd event, and again at every
  // later call.
  virtual bool ReadInput(InputEvent& event, int timeout_ms) = 0;
  // Shows what has been drawn so far (a terminal shows it in one write).
  virtual void Flush() = 0;

 protected:
  // Around a child process that shares the console: hand it over (normal input,
  // cursor shown, current colour set) and take it back (repaint afterwards).
  // Only HandedToChild calls them, so that every hand-over is taken back.
  virtual void HandToChild() = 0;
  virtual void TakeBack() = 0;
  friend class HandedToChild;
};

// The console lent to a child process for as long as this lives: made, it hands
// the console over; gone, it takes the console back, however its scope is left
// (the child's end, a return, an exception).
class HandedToChild {
 public:
  explicit HandedToChild(ConsoleDevice& device) : device_(device) { device_.HandToChild(); }
  ~HandedToChild() { device_.TakeBack(); }
  HandedToChild(const HandedToChild&) = delete;
  HandedToChild& operator=(const HandedToChild&) = delete;

 private:
  ConsoleDevice& device_;
};

}  // namespace zul
