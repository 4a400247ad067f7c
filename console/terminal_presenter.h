// Shows the window of a virtual console on a terminal. It remembers what the
// terminal shows (cells, colour, cursor, modes, title) and gives only the bytes
// that change it: changed cells with the cheapest cursor moves and colour
// changes. A pure class: it writes nothing itself; the caller writes the bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "console/cell.h"
#include "console/virtual_console.h"

namespace zul {

class TerminalPresenter {
 public:
  // What any terminal must be given to be usable again, whatever the presenter
  // had sent: mouse tracking off, autowrap on, the cursor shown. Fixed bytes, so
  // that a signal handler may write them.
  static constexpr std::string_view kRestoreModes = "\x1b[?1000l\x1b[?1006l\x1b[?7h\x1b[?25h";

  // Appends to `out` the bytes that make a terminal of `terminal` columns and
  // rows, which shows what the previous calls left on it, show the console's
  // window now. The window's top-left cell is the terminal's top-left; what does
  // not fit is clipped, terminal cells beyond the window are blank in the
  // terminal's default colours. The cursor is shown at the console's cursor when
  // it is visible and on the terminal, hidden otherwise. Mouse tracking is on
  // while the console reports mouse events. The title follows the console's.
  // Appends nothing when nothing changed.
  void Present(const VirtualConsole& console, Coord terminal, std::string& out);

  // The terminal's contents are unknown (it was resized, or a child wrote on
  // it): the next Present draws every cell and sets every mode again.
  void Invalidate();

  // Appends the bytes that hand the terminal to someone else (a child process,
  // or the shell at exit): mouse tracking off, autowrap on, the colour of
  // `attribute`, the cursor shown at the console's cursor (clipped to the
  // terminal). The cells stay as they are. Afterwards the presenter knows
  // nothing of the terminal, as after Invalidate.
  void Release(const VirtualConsole& console, Coord terminal, uint16_t attribute, std::string& out);

 private:
  // Filled in by the implementation.
};

}  // namespace zul
