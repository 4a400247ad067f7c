// Shows the window of a virtual console on a terminal. It remembers what the
// terminal shows (the modes and the title; the cells, colour and cursor through its
// painter) and gives only the bytes that change it. A pure class: it writes
// nothing itself; the caller writes the bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "device/cell.h"
#include "device/virtual_console.h"
#include "terminal/packed_cell.h"
#include "terminal/terminal_painter.h"

namespace zul {

class TerminalPresenter {
 public:
  // `reports_read`: whether what the terminal reports (mouse, pastes) reaches the
  // program, which is so only when its keys come from this terminal. Without, no
  // report is ever turned on, so that none lands in the terminal's input unread.
  explicit TerminalPresenter(bool reports_read = true) : reports_read_(reports_read) {}

  // Appends to `out` the bytes that make a terminal of `terminal` columns and
  // rows, which shows what the previous calls left on it, show the console's
  // window now. The window's top-left cell is the terminal's top-left; what does
  // not fit is clipped, terminal cells beyond the window are blank in the
  // terminal's default colours. The terminal's cursor is left at the console's
  // cursor whenever that is on the terminal, shown or hidden, so that what
  // follows the cursor (a screen reader, a magnifier) finds the place the program
  // points at; it is shown when the console's is visible and on the terminal,
  // hidden otherwise. Mouse tracking is on while the console reports mouse
  // events, bracketed paste while it takes pastes as text, each only where the
  // reports are read. The title follows the
  // console's. Appends nothing when nothing changed.
  void Present(const VirtualConsole& console, Coord terminal, std::string& out);

  // The terminal's contents are unknown (it was resized, or a child wrote on
  // it): the next Present draws every cell and sets every mode again.
  void Invalidate();

  // Appends the bytes that hand the terminal to someone else (a child process,
  // or the shell at exit): mouse tracking and bracketed paste off, autowrap on, the colour of
  // `attribute`, the cursor shown at the console's cursor (clipped to the
  // terminal). The cells stay as they are. Afterwards the presenter knows
  // nothing of the terminal, as after Invalidate.
  void Release(const VirtualConsole& console, Coord terminal, uint16_t attribute, std::string& out);

  // Appends the bytes that hand the terminal back to the shell at the end of a
  // run: as Release, but in the terminal's own colours, so that what the shell
  // writes next does not take the console's colour. The cells stay as they are.
  void End(const VirtualConsole& console, Coord terminal, std::string& out);

  // Appends the bytes that give the terminal back when a run that shows the
  // console is cut short (a signal, a crash): vt::kRestoreModes, then the
  // cursor at the start of the line below the lowest row the window takes on
  // the terminal, where the shell's next words then land; that row is a new one,
  // scrolled in, when the window reaches the terminal's last row. They depend
  // only on the window's height and the terminal's size, so that they can be
  // made ahead, for a signal handler to write.
  static void AppendCutShort(const VirtualConsole& console, Coord terminal, std::string& out);

 private:
  // Terminals wider or taller than this are drawn only up to this size.
  static constexpr int kMaxTerminalSide = 1024;

  enum class Mode : uint8_t { kUnknown, kOff, kOn };

  // Release and End: the modes a child or the shell expects, `colours`, the
  // cursor at the console's cursor.
  void HandOver(const VirtualConsole& console, Coord terminal, std::string_view colours, std::string& out);
  static PackedCell PackCell(const Cell& cell);
  // The window of `console` as a terminal of the painter's size shows it.
  void Capture(const VirtualConsole& console);

  const bool reports_read_;
  TerminalPainter painter_;
  std::vector<PackedCell> want_;  // the frame the window makes, as Capture left it
  Mode cursor_shown_ = Mode::kUnknown;
  Mode mouse_ = Mode::kUnknown;
  Mode paste_ = Mode::kUnknown;  // bracketed paste
  bool autowrap_off_ = false;
  bool title_known_ = false;
  std::string title_;  // the title's bytes as last sent
};

}  // namespace zul
