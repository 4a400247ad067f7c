// A terminal for tests that replays the bytes the terminal presenter sends: a
// grid of glyphs with their colours, the cursor, the modes and the title. It
// knows only the sequences the presenter may send and records anything else as
// an error, as it does a move or a write that relies on a cursor place a real
// terminal would not promise. It is not a terminal emulator for anything else.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "device/cell.h"
#include "tests/support/printers.h"

namespace zul::testing {

class TerminalReplay {
 public:
  // A cell: its glyph in UTF-8 and its colours as SGR codes (39 and 49 for the
  // terminal's own colours).
  struct Shown {
    std::string glyph = " ";
    int foreground = 39;
    int background = 49;
  };

  // A terminal of `size` whose contents and cursor place nobody knows.
  explicit TerminalReplay(Coord size, uint32_t seed = 1);

  // Replays `bytes`, which must hold whole sequences.
  void Feed(std::string_view bytes);
  // The terminal took a new size: its contents are garbage, the cursor is lost.
  void Resize(Coord size);
  // Another program wrote on the terminal: garbage cells, other attributes set,
  // the cursor somewhere, autowrap on, mouse tracking and bracketed paste off,
  // another title.
  void Scribble();

  Coord Size() const { return size_; }
  const Shown& At(int x, int y) const { return cells_[static_cast<std::size_t>(y * size_.x + x)]; }
  bool CursorKnown() const { return x_known_ && y_known_; }
  Coord Cursor() const { return {static_cast<int16_t>(x_), static_cast<int16_t>(y_)}; }
  bool CursorVisible() const { return cursor_visible_; }
  bool Autowrap() const { return autowrap_; }
  bool MouseButtons() const { return mouse_buttons_; }
  bool MouseSgr() const { return mouse_sgr_; }
  bool BracketedPaste() const { return bracketed_paste_; }
  int Foreground() const { return foreground_; }
  int Background() const { return background_; }
  // Attributes other than colours are set (only a reset clears them).
  bool OtherAttributes() const { return other_attributes_; }
  const std::string& Title() const { return title_; }
  const std::vector<std::string>& Errors() const { return errors_; }

 private:
  void Fail(const std::string& what);
  void OneRow(char final);
  void LineFeed();
  void Control(std::string_view sequence, char private_marker, const std::vector<int>& parameters, char final);
  void Graphic(const std::vector<int>& parameters);
  void Put(std::string glyph);
  // Blanks the halves of wide characters that writing cells [from, to) of the row cuts.
  void BreakWideAt(int from, int to);
  void Erase(int from, int to);
  void Garbage();
  uint32_t Random();

  Coord size_;
  std::vector<Shown> cells_;
  int x_ = 0;
  int y_ = 0;
  bool x_known_ = false;
  int last_put_ = -1;  // the cell a mark joins: the one written last, if nothing came since
  bool y_known_ = false;
  bool cursor_visible_ = true;
  bool autowrap_ = true;
  bool mouse_buttons_ = false;
  bool mouse_sgr_ = false;
  bool bracketed_paste_ = false;
  int foreground_ = 39;
  int background_ = 49;
  bool other_attributes_ = false;
  std::string title_;
  std::vector<std::string> errors_;
  uint32_t random_;
};

}  // namespace zul::testing
