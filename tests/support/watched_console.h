// Virtual consoles that tests of the dialogs watch: what was written and where,
// the screen as it was each time the dialog waited for input, and a varied screen
// to draw over. Test support only.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <set>
#include <string_view>
#include <vector>

#include "tests/support/scripted_console.h"

namespace zul::testing {

// A scripted console that counts what is written, notes any write that does not lie
// within one row of its buffer, and keeps a copy of the screen each time it is asked
// for input, with the rows written since the time before: the dialog still open. A
// hook may change the console just before an event is read; a resize event is taken
// as the text screen would take it (the buffer and the window become the new size)
// unless `follow_resizes` is off.
class WatchedConsole : public ScriptedConsole {
 public:
  struct Counts {
    int writes = 0;
    std::size_t cells = 0;
    int fills = 0;
  };

  using ScriptedConsole::ScriptedConsole;

  bool WriteCells(Coord at, std::span<const Cell> cells) override;
  bool FillCells(Coord at, uint32_t count, Cell fill) override;
  bool ReadInput(InputEvent& event, int timeout_ms) override;

  // What the event `n` (from 1) wrote: the counts between its read and the next.
  Counts Cost(std::size_t n) const;

  Counts counts;
  std::vector<Counts> at_read;
  int outside = 0;                                                // writes that left the buffer's rows
  std::optional<VirtualConsole> open;                             // the screen before the last read
  std::vector<VirtualConsole> seen;                               // and before each read
  std::vector<std::set<int>> rows_written;                        // the rows written before each read
  std::function<void(WatchedConsole&, std::size_t)> before_read;  // given the read's number, from 0
  bool follow_resizes = true;

 private:
  std::set<int> written_;
};

// Where `text` (UTF-8) first shows on the screen; {-1, -1} when it does not. The
// rows searched hold no wide characters and no marks: a character is a cell.
Coord Find(const VirtualConsole& console, std::string_view text);

// Fills the whole buffer with varied cells (every byte value, many attributes), so
// that a restore that misses or shifts a cell shows.
void Scribble(VirtualConsole& console);

}  // namespace zul::testing
