// Shows the window of a virtual console on a terminal. It remembers what the
// terminal shows (cells, colour, cursor, modes, title) and gives only the bytes
// that change it: changed cells with the cheapest cursor moves and colour
// changes. A pure class: it writes nothing itself; the caller writes the bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "device/cell.h"
#include "device/virtual_console.h"

namespace zul {

class TerminalPresenter {
 public:
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

  // A cell as the terminal shows it, packed: the character, the foreground and
  // the background colour (console colours 0-15, or the terminal's default) and
  // the mark drawn over the character. A blank has no foreground: how it looks
  // depends on its background alone.
  using PackedCell = uint64_t;
  static constexpr int kDefaultColour = 16;  // the terminal's own colour
  static constexpr int kAnyColour = 31;      // a blank's foreground: no matter which
  enum class Mode : uint8_t { kUnknown, kOff, kOn };
  // A frame with fewer changed cells is drawn in row order without trying others.
  static constexpr std::size_t kFewestCellsToReorder = 64;
  // The most backgrounds tried for holding back to a second pass, rarest first,
  // and the share of the changed cells one may have at most: 1 in this many.
  static constexpr int kBackgroundsToHoldBack = 3;
  static constexpr std::size_t kHeldBackShare = 8;

  // The cells a drawing pass takes: all of them (background < 0), or only those
  // of one background, or all but those.
  struct Pass {
    int background = -1;
    bool only = false;
    bool Takes(PackedCell shown) const;
  };

  // What the terminal is known to show, and the cheapest bytes that change it.
  struct Screen {
    int columns = 0;
    int rows = 0;
    bool contents_known = false;
    std::vector<PackedCell> cells;
    bool cursor_known = false;
    int cursor_x = 0;
    int cursor_y = 0;
    int foreground = -1;  // the colours last sent; -1 when not known
    int background = -1;

    // Sets the size; the contents, the cursor and the colours are not known.
    void Reset(int new_columns, int new_rows);
    // The bytes that move the cursor from (from_x, from_y), or from nowhere
    // known, to (x, y), the fewest of all the ways to do it.
    std::string Move(bool from_known, int from_x, int from_y, int x, int y,
                     const std::vector<PackedCell>& want) const;
    void MoveTo(int x, int y, const std::vector<PackedCell>& want, std::string& out);
    // Makes the colours current; a foreground of kAnyColour keeps whichever is.
    void SetColours(int foreground_wanted, int background_wanted, std::string& out);
    // Erases the whole terminal in the colour most of `want` is blank in.
    void EraseAll(const std::vector<PackedCell>& want, std::string& out);
    // Draws every cell of `pass` that differs from `want`.
    void Draw(const std::vector<PackedCell>& want, const Pass& pass, std::string& out);
    // Draws the run of blanks that starts at (x, y); gives the index after it.
    int DrawBlanks(int x, int y, const std::vector<PackedCell>& want, const Pass& pass, std::string& out);
    // Appends the cells [from, to) of row y as they are shown, when rewriting
    // them changes nothing, giving up once it reaches `limit` bytes; false (and
    // `out` as it was) otherwise.
    bool Rewrite(int from, int to, int y, const std::vector<PackedCell>& want, std::size_t limit,
                 std::string& out) const;
  };

  // Release and End: the modes a child or the shell expects, `colours`, the
  // cursor at the console's cursor.
  void HandOver(const VirtualConsole& console, Coord terminal, std::string_view colours, std::string& out);
  static PackedCell PackCell(const Cell& cell);
  // The window of `console` as a terminal of the screen's size shows it.
  void Capture(const VirtualConsole& console);
  // Draws the cells of `screen` that differ from `want` in the order that
  // takes the fewest bytes.
  static void DrawInBestOrder(Screen& screen, const std::vector<PackedCell>& want, std::string& out);
  // Draws the cells that changed, or erases and draws, whichever is shorter.
  void DrawCells(std::string& out);

  Screen screen_;
  std::vector<PackedCell> want_;
  Mode cursor_shown_ = Mode::kUnknown;
  Mode mouse_ = Mode::kUnknown;
  bool autowrap_off_ = false;
  bool title_known_ = false;
  std::string title_;  // the title's bytes as last sent
};

}  // namespace zul
