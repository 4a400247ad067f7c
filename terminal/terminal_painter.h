// What a terminal is known to show (its cells, the cursor, the colours last sent) and
// the cheapest bytes that change it into a wanted frame: cursor moves, colour changes,
// erasing and drawing passes. Pure; what the frame holds is the presenter's to say.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "terminal/packed_cell.h"

namespace zul {

class TerminalPainter {
 public:
  // Sets the size; the contents, the cursor and the colours are not known.
  void Reset(int columns, int rows);
  int Columns() const { return columns_; }
  int Rows() const { return rows_; }

  // Appends the bytes that make the terminal show `want` (Columns() x Rows() cells,
  // row by row): the cells that differ drawn in the order that takes the fewest
  // bytes, after erasing everything first when that is shorter (or the contents
  // are not known).
  void Paint(const std::vector<PackedCell>& want, std::string& out);

  // Appends the fewest bytes that move the cursor to (x, y); `want` is the frame
  // the terminal shows, whose cells a move may write again.
  void MoveTo(int x, int y, const std::vector<PackedCell>& want, std::string& out);

 private:
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

  // The bytes that move the cursor from (from_x, from_y), or from nowhere
  // known, to (x, y), the fewest of all the ways to do it.
  std::string Move(bool from_known, int from_x, int from_y, int x, int y,
                   const std::vector<PackedCell>& want) const;
  // Makes the colours current; a foreground of packed::kAnyColour keeps whichever is.
  void SetColours(int foreground_wanted, int background_wanted, std::string& out);
  // Erases the whole terminal in the colour most of `want` is blank in.
  void EraseAll(const std::vector<PackedCell>& want, std::string& out);
  // Draws the cells that differ from `want` in the order that takes the fewest bytes.
  void DrawInBestOrder(const std::vector<PackedCell>& want, std::string& out);
  // Draws every cell of `pass` that differs from `want`.
  void Draw(const std::vector<PackedCell>& want, const Pass& pass, std::string& out);
  // Draws the run of blanks that starts at (x, y); gives the index after it.
  int DrawBlanks(int x, int y, const std::vector<PackedCell>& want, const Pass& pass, std::string& out);
  // Appends the cells [from, to) of row y as they are shown, when rewriting
  // them changes nothing, giving up once it reaches `limit` bytes; false (and
  // `out` as it was) otherwise.
  bool Rewrite(int from, int to, int y, const std::vector<PackedCell>& want, std::size_t limit,
               std::string& out) const;

  int columns_ = 0;
  int rows_ = 0;
  bool contents_known_ = false;
  std::vector<PackedCell> cells_;
  bool cursor_known_ = false;
  int cursor_x_ = 0;
  int cursor_y_ = 0;
  int foreground_ = -1;  // the colours last sent; -1 when not known
  int background_ = -1;
};

}  // namespace zul
