// Showing texts in cells. A text's bytes are read in the run's code page, character by
// character; each character takes as many cells as a terminal gives it, a combining
// mark joins the cell before it, and whatever spells no character, or a control
// character, shows as its CP437 glyph, so that no byte vanishes from the screen. Pure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "base/code_page.h"
#include "base/cp437.h"
#include "base/unicode.h"
#include "device/cell.h"

namespace zul {

// A run of characters, both ends included.
struct CharacterRange {
  char32_t first;
  char32_t last;
};

// The tables the widths come from, each in order, its ranges apart: the characters two
// cells wide, and those that take no cell (which win where the two overlap).
std::span<const CharacterRange> WideCharacterRanges();
std::span<const CharacterRange> NoCellCharacterRanges();

// The cells a character takes on a terminal, from the tables: 2 for an East Asian
// wide or fullwidth character, 0 for one drawn over the character before it (a
// combining mark, a format character), 1 for any other.
int CharacterWidthFromTables(char32_t character);

// CharacterWidthFromTables, asked only beyond U+02FF: no character before the
// combining marks is wide or drawn over another. Every cell drawn asks this.
inline int CharacterWidth(char32_t character) {
  return character < 0x300 ? 1 : CharacterWidthFromTables(character);
}

// The character a cell shows for `character`: a control character (below 0x20, and
// 0x7F) as its CP437 glyph, a C1 control (0x80 to 0x9F), which a terminal would take
// for a command, as U+FFFD; any other as itself.
inline char32_t ShownCharacter(char32_t character) {
  if (character < 0x20 || character == 0x7F) return Cp437Glyph(static_cast<uint8_t>(character));
  if (IsC1Control(character)) return kReplacementCharacter;
  return character;
}

// Whether a cell is half of a wide character without its other half beside it, which
// shows as a blank: a character two cells wide with no kRightHalf after it, or a
// kRightHalf with no such character before it (either overwritten, or cut off at an
// edge). `before` and `after` are the characters of the cells shown beside it, 0 where
// none is.
inline bool IsLoneHalf(char32_t before, char32_t character, char32_t after) {
  if (character == kRightHalf) return CharacterWidth(before) != 2;
  return after != kRightHalf && CharacterWidth(character) == 2;
}

// One glyph of a text: the bytes that spell it (a character and the marks after it,
// or a byte that spells nothing), how it shows (the character and its first mark;
// further marks are left out of the picture, not of the bytes) and its cells.
struct Glyph {
  std::size_t offset = 0;
  std::size_t length = 0;
  char32_t character = U' ';
  char32_t mark = 0;
  int width = 1;  // 1 or 2
};

// The glyphs of `text` in order; a mark with no character before it shows over a blank.
std::vector<Glyph> Glyphs(std::string_view text, const CodePage& code_page);

// Appends the cell or two that show `glyph` in `attribute`.
void AppendGlyphCells(const Glyph& glyph, uint16_t attribute, std::vector<Cell>& out);

// Appends the cells that show `text` in `attribute`, at most `columns` of them (all
// when negative): the text is cut before the first glyph that would pass the limit,
// and a limit left one cell short by a wide glyph is made up with a blank. Gives the
// cells appended.
int AppendTextCells(std::string_view text, const CodePage& code_page, uint16_t attribute, int columns,
                    std::vector<Cell>& out);

// The cells `text` takes when shown whole.
int TextColumns(std::string_view text, const CodePage& code_page);

}  // namespace zul
