// Names in the user's own characters: how the run's code page upper-cases a name and
// how the name then shows in cells.
#include "base/code_page.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/cp437.h"
#include "base/upper_case.h"
#include "device/text_cells.h"

namespace zul {
namespace {

// Code page 866's letters: А to п at 0x80 to 0xAF, р to я at 0xE0 to 0xEF.
const CodePage& Cp866Letters() {
  static const SingleByteCodePage kCp866 = [] {
    std::array<char32_t, 256> characters{};
    for (int b = 0; b < 0x80; ++b) characters[static_cast<std::size_t>(b)] = static_cast<char32_t>(b);
    for (int b = 0x80; b <= 0xAF; ++b)
      characters[static_cast<std::size_t>(b)] = static_cast<char32_t>(0x410 + b - 0x80);
    for (int b = 0xE0; b <= 0xEF; ++b)
      characters[static_cast<std::size_t>(b)] = static_cast<char32_t>(0x440 + b - 0xE0);
    return SingleByteCodePage(characters);
  }();
  return kCp866;
}

// The cells as the terminal shows them: each cell's character and mark in UTF-8, a
// right half as nothing.
std::string Shown(const std::vector<Cell>& cells) {
  std::string text;
  for (const Cell& cell : cells) {
    if (cell.character == kRightHalf) continue;
    AppendUtf8(cell.character, text);
    if (cell.mark != 0) AppendUtf8(cell.mark, text);
  }
  return text;
}

TEST(NamesInTheirCodePage, UpperCaseByLetterAndShowEveryByte) {
  struct Row {
    const char* what;
    const CodePage& code_page;
    std::string name;
    std::string upper;
    std::string shown;
    int columns;
  };
  const Row rows[] = {
      {"437: the seven letters", Cp437CodePage(), "\x84\x94\x81\x82\xA4\x86\x87.zul",
       "\x8E\x99\x9A\x90\xA5\x8F\x80.ZUL", "\u00C4\u00D6\u00DC\u00C9\u00D1\u00C5\u00C7.ZUL", 11},
      {"437: other letters stay", Cp437CodePage(), "\x83\x85\xE0x.zul", "\x83\x85\xE0X.ZUL",
       "\u00E2\u00E0\u03B1X.ZUL", 8},
      {"UTF-8", Utf8CodePage(), "\u00E4rger.zul", "\u00C4RGER.ZUL", "\u00C4RGER.ZUL", 9},
      {"UTF-8", Utf8CodePage(), "\u00FCbung.zul", "\u00DCBUNG.ZUL", "\u00DCBUNG.ZUL", 9},
      {"UTF-8 decomposed", Utf8CodePage(), "u\u0308bung.zul", "U\u0308BUNG.ZUL", "U\u0308BUNG.ZUL", 9},
      {"UTF-8 wide", Utf8CodePage(), "\u65E5\u672C.zul", "\u65E5\u672C.ZUL", "\u65E5\u672C.ZUL", 8},
      {"UTF-8 capitals and others stay", Utf8CodePage(), "\u00C5\u00DF\u00E5\u00FF.zul",
       "\u00C5\u00DF\u00C5\u00FF.ZUL", "\u00C5\u00DF\u00C5\u00FF.ZUL", 8},
      {"UTF-8 stray byte", Utf8CodePage(),
       "a\xE9"
       "b.zul",
       "A\xE9"
       "B.ZUL",
       "A\u0398B.ZUL", 7},
      {"UTF-8 cut short", Utf8CodePage(), "a\xC3", "A\xC3", "A\u251C", 2},
      {"control byte", Utf8CodePage(), "a\nb.zul", "A\nB.ZUL", "A\u25D9B.ZUL", 7},
      {"lone mark", Utf8CodePage(), "\u0308a", "\u0308A", " \u0308A", 2},
      {"866: no letter of the seven", Cp866Letters(), "\x84\x94\x81\xA4.zul", "\x84\x94\x81\xA4.ZUL",
       "\u0414\u0424\u0411\u0434.ZUL", 8},
  };
  for (const Row& row : rows) {
    const Text upper = UpperCasedText(row.name, row.code_page);
    EXPECT_EQ(upper, row.upper) << row.what;
    std::vector<Cell> cells;
    EXPECT_EQ(AppendTextCells(upper, row.code_page, 0x1F, -1, cells), row.columns) << row.what;
    EXPECT_EQ(cells.size(), static_cast<std::size_t>(row.columns)) << row.what;
    EXPECT_EQ(Shown(cells), row.shown) << row.what;
  }
}

// A name too wide for its room is cut before the character that would not fit, and a
// wide character that would stick out leaves a blank.
TEST(NamesInTheirCodePage, AreCutAtACharacter) {
  std::vector<Cell> cells;
  EXPECT_EQ(AppendTextCells("\u65E5\u672C\u8A9E", Utf8CodePage(), 0x1F, 5, cells), 5);
  EXPECT_EQ(Shown(cells), "\u65E5\u672C ");
  cells.clear();
  EXPECT_EQ(AppendTextCells("u\u0308x", Utf8CodePage(), 0x1F, 1, cells), 1);
  EXPECT_EQ(Shown(cells), "u\u0308");
}

// Every byte of code page 437 reads as a character that is written as that byte
// again, so a name read and typed back keeps its bytes; no two bytes read alike.
TEST(Cp437, EveryByteReadsAsACharacterWrittenAsTheSameByte) {
  std::u32string read;
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const Spelled spelled = Cp437CodePage().Decode(byte);
    EXPECT_EQ(spelled.length, 1u) << b;
    std::string written;
    EXPECT_TRUE(Cp437CodePage().Encode(spelled.character, written)) << b;
    EXPECT_EQ(written, byte) << b;
    EXPECT_EQ(read.find(spelled.character), std::u32string::npos) << b;
    read.push_back(spelled.character);
  }
  // The control bytes and DEL read as themselves; the rest as their glyphs.
  for (int b = 0; b < 0x20; ++b) EXPECT_EQ(read[static_cast<std::size_t>(b)], static_cast<char32_t>(b)) << b;
  const char32_t spots[][2] = {
      {0x20, U' '},      {0x7E, U'~'},      {0x7F, 0x7F},      {0x80, U'\u00C7'},
      {0xB0, U'\u2591'}, {0xE1, U'\u00DF'}, {0xFE, U'\u25A0'}, {0xFF, U'\u00A0'},
  };
  for (const auto& [byte, character] : spots) EXPECT_EQ(read[byte], character) << static_cast<unsigned>(byte);
}

// The glyphs that picture the control bytes and DEL are how those bytes show, not
// characters of the code page: typed, they give no byte.
TEST(Cp437, TheGlyphsOfControlBytesAndDelAreNoBytes) {
  EXPECT_EQ(Cp437Glyph(0x7F), U'\u2302');
  EXPECT_EQ(ShownCharacter(0x7F), U'\u2302');
  for (const char32_t glyph : {U'\u2302', U'\u263A', U'\u25D9', U'\u25BC'}) {
    std::string written = "x";
    EXPECT_FALSE(Cp437CodePage().Encode(glyph, written)) << static_cast<unsigned>(glyph);
    EXPECT_EQ(written, "x");
  }
}

// How a text is walked: each character whole, and where bytes spell none, the first
// of them alone, reading going on at the very next byte. Pieces shown split by '|',
// a byte that spells none as [hex].
TEST(ForEachCharacter, TakesAByteThatSpellsNoneAloneAndGoesOnAtTheNext) {
  struct Row {
    const char* what;
    const CodePage& code_page;
    std::string text;
    std::string pieces;
  };
  const Row rows[] = {
      {"whole characters", Utf8CodePage(), "a\u00E9\u65E5", "a|\u00E9|\u65E5"},
      {"a byte no character starts with", Utf8CodePage(), "\x80z", "[80]|z"},
      {"a lead byte before ASCII", Utf8CodePage(), "\xE2z", "[E2]|z"},
      {"a character cut short at the end", Utf8CodePage(), "a\xE2\x82", "a|[E2]|[82]"},
      {"a byte a one-byte code page leaves unused", Cp866Letters(), "\xB0\x80", "[B0]|\u0410"},
  };
  for (const Row& row : rows) {
    std::string pieces;
    std::string bytes;
    ForEachCharacter(row.text, row.code_page, [&](const TextPiece& piece) {
      if (!pieces.empty()) pieces += '|';
      bytes.append(piece.bytes);
      if (piece.spelled) {
        AppendUtf8(piece.character, pieces);
        return;
      }
      char hex[8];
      std::snprintf(hex, sizeof hex, "[%02X]", static_cast<unsigned>(static_cast<uint8_t>(piece.bytes[0])));
      pieces += hex;
      EXPECT_EQ(piece.bytes.size(), 1u) << row.what;
    });
    EXPECT_EQ(pieces, row.pieces) << row.what;
    EXPECT_EQ(bytes, row.text) << row.what;
  }
}

// A text's characters, each byte that spells none as its own stand-in: no two texts
// that differ in such a byte read alike.
TEST(CharactersWithStandIns, GiveEachByteThatSpellsNoneItsStandIn) {
  struct Row {
    const char* what;
    const CodePage& code_page;
    std::string text;
    std::u32string characters;
  };
  const Row rows[] = {
      {"whole characters", Utf8CodePage(), "K\u00F6\u041A\U0001E900", U"K\u00F6\u041A\U0001E900"},
      {"a stray byte", Utf8CodePage(), "a\xE9z", {U'a', 0xDCE9, U'z'}},
      {"another stray byte", Utf8CodePage(), "a\xEAz", {U'a', 0xDCEA, U'z'}},
      {"a C1 control spells none", Utf8CodePage(), "\xC2\x85", {0xDCC2, 0xDC85}},
      {"one byte of a one-byte code page", Cp866Letters(), "\x80\xB0", {U'\u0410', 0xDCB0}},
      {"a zero byte", Utf8CodePage(), std::string("a\0", 2), std::u32string(U"a\0", 2)},
  };
  for (const Row& row : rows)
    EXPECT_EQ(CharactersWithStandIns(row.text, row.code_page), row.characters) << row.what;
}

// UTF-8 at the edges of each length: the bytes written read back as the character.
TEST(Utf8, CharactersAtTheEdgesOfEachLengthRoundTrip) {
  const std::pair<char32_t, std::string> rows[] = {
      {0x7F, "\x7F"},
      {0xA0, "\xC2\xA0"},
      {0x7FF, "\xDF\xBF"},
      {0x800, "\xE0\xA0\x80"},
      {0xD7FF, "\xED\x9F\xBF"},
      {0xE000, "\xEE\x80\x80"},
      {0xFFFF, "\xEF\xBF\xBF"},
      {0x10000, "\xF0\x90\x80\x80"},
      {0x10FFFF, "\xF4\x8F\xBF\xBF"},
  };
  for (const auto& [character, bytes] : rows) {
    std::string written;
    EXPECT_TRUE(Utf8CodePage().Encode(character, written));
    EXPECT_EQ(written, bytes) << std::hex << static_cast<unsigned>(character);
    const Spelled spelled = Utf8CodePage().Decode(bytes);
    EXPECT_EQ(spelled.character, character) << std::hex << static_cast<unsigned>(character);
    EXPECT_EQ(spelled.length, bytes.size()) << std::hex << static_cast<unsigned>(character);
  }
}

}  // namespace
}  // namespace zul
