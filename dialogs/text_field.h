// A one-line text being edited in a dialog's field: the glyphs of the text, the
// insertion point and the first glyph the field shows. The text is edited glyph by
// glyph, so that a character, with the marks over it, is moved over and deleted
// whole. It knows keys and cells only; where the field lies is the dialog's business.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/code_page.h"
#include "base/text.h"
#include "device/input_events.h"

namespace zul {

class TextField {
 public:
  // A field holding `start`, cut to `limit` bytes, with the insertion point at its end.
  TextField(const CodePage& code_page, std::size_t limit, const Text& start = Text());

  // The text as typed, and its part before the insertion point.
  Text Value() const;
  Text BeforeCursor() const;
  // Puts `before` in place of the text before the insertion point, which then
  // stands after it; false, changing nothing, when the text would pass the limit.
  bool ReplaceBeforeCursor(const Text& before);
  bool Empty() const { return pieces_.empty(); }
  // A count that grows with every change of the text (not of the insertion point).
  std::size_t Revision() const { return revision_; }
  void Clear();

  // Applies an editing key: a typed character goes in at the insertion point;
  // Backspace, Delete, Left, Right, Home and End as in any field. False when the
  // key is none of these.
  bool Edit(const KeyEvent& key);
  // Puts `character` in at the insertion point as the bytes that spell it in the
  // code page; one that none spell, or that would pass the limit, is not typed. A
  // mark joins the glyph before the insertion point; typed before a mark that stands
  // alone at the start, a character takes that mark over it and a mark joins it.
  void Type(char32_t character);
  // Types the characters of a paste in turn, as far as they fit: the first one
  // that would pass the limit ends it, so the field keeps the paste's start.
  void Paste(std::u32string_view text);

  // What a field of `width` cells shows: exactly `width` cells in `attribute`,
  // the column of the insertion point, and whether the text runs on beyond
  // either side. A wide glyph that would pass the field's end is left for the
  // next scroll.
  struct View {
    std::vector<Cell> cells;
    int cursor = 0;
    bool more_left = false;
    bool more_right = false;
  };
  View Show(int width, uint16_t attribute) const;
  // Scrolls a field of `width` cells so that the insertion point and the glyph
  // at it are inside it, and no further than needed to show the end of the text
  // and the cell after it.
  void KeepCursorVisible(int width);
  // Moves the insertion point to the glyph shown at `column` of the field, or
  // to the end of the text when none is shown there.
  void PlaceCursor(int column);

 private:
  struct Piece {
    std::string bytes;
    char32_t character = U' ';
    char32_t mark = 0;
    int width = 1;
  };
  // The pieces of `text`, glyph by glyph.
  std::vector<Piece> PiecesOf(const Text& text) const;
  // The cells the pieces [from, to) take.
  int Columns(std::size_t from, std::size_t to) const;
  // Whether the first piece is a mark with no character before it, shown over a blank.
  bool StartsWithLoneMark() const;

  const CodePage& code_page_;
  std::size_t limit_;
  std::vector<Piece> pieces_;
  std::size_t bytes_ = 0;   // the bytes of all the pieces
  std::size_t cursor_ = 0;  // insertion point, 0..pieces_.size()
  std::size_t scroll_ = 0;  // the first piece the field shows
  std::size_t revision_ = 0;
};

}  // namespace zul
