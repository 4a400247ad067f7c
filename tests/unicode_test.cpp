#include "base/unicode.h"

#include <gtest/gtest.h>

#include "device/text_cells.h"

namespace zul {
namespace {

// Each range at its edges, inside and just outside.
TEST(Unicode, RangesHoldTheirFirstAndLastValuesAndNothingBeside) {
  struct Row {
    char32_t value;
    bool c1, high, low, character, one_unit;
  };
  const Row rows[] = {
      {0x7F, false, false, false, true, true},      {0x80, true, false, false, true, true},
      {0x9F, true, false, false, true, true},       {0xA0, false, false, false, true, true},
      {0xD7FF, false, false, false, true, true},    {0xD800, false, true, false, false, false},
      {0xDBFF, false, true, false, false, false},   {0xDC00, false, false, true, false, false},
      {0xDFFF, false, false, true, false, false},   {0xE000, false, false, false, true, true},
      {0xFFFF, false, false, false, true, true},    {0x10000, false, false, false, true, false},
      {0x10FFFF, false, false, false, true, false}, {0x110000, false, false, false, false, false},
  };
  for (const Row& row : rows) {
    const auto value = static_cast<unsigned>(row.value);
    EXPECT_EQ(IsC1Control(row.value), row.c1) << std::hex << value;
    EXPECT_EQ(IsHighSurrogate(row.value), row.high) << std::hex << value;
    EXPECT_EQ(IsLowSurrogate(row.value), row.low) << std::hex << value;
    EXPECT_EQ(IsSurrogate(row.value), row.high || row.low) << std::hex << value;
    EXPECT_EQ(IsCharacter(row.value), row.character) << std::hex << value;
    EXPECT_EQ(IsOneUtf16Unit(row.value), row.one_unit) << std::hex << value;
  }
}

TEST(Unicode, PairsSplitAndJoinAtBothEndsOfTheirRange) {
  struct Row {
    char32_t character;
    char16_t high, low;
  };
  const Row rows[] = {{0x10000, 0xD800, 0xDC00}, {0x1F600, 0xD83D, 0xDE00}, {0x10FFFF, 0xDBFF, 0xDFFF}};
  for (const Row& row : rows) {
    const SurrogatePair pair = SplitIntoSurrogates(row.character);
    EXPECT_EQ(pair.high, row.high) << std::hex << static_cast<unsigned>(row.character);
    EXPECT_EQ(pair.low, row.low) << std::hex << static_cast<unsigned>(row.character);
    EXPECT_EQ(JoinSurrogates(row.high, row.low), row.character)
        << std::hex << static_cast<unsigned>(row.character);
  }
}

// Every range of the width tables at its two ends and just outside them: wide ranges
// two cells at their ends and not beside them, no-cell ranges none at their ends and
// some beside them, whichever way a character is asked.
TEST(CharacterWidths, EachRangeHoldsItsEndsAndNothingBeside) {
  const struct {
    std::span<const CharacterRange> ranges;
    int width;
  } tables[] = {{WideCharacterRanges(), 2}, {NoCellCharacterRanges(), 0}};
  for (const auto& [ranges, width] : tables) {
    ASSERT_FALSE(ranges.empty());
    for (const CharacterRange& range : ranges) {
      for (const char32_t c : {range.first, range.last}) {
        EXPECT_EQ(CharacterWidthFromTables(c), width) << std::hex << static_cast<unsigned>(c);
        EXPECT_EQ(CharacterWidth(c), width) << std::hex << static_cast<unsigned>(c);
      }
      for (const char32_t c : {range.first - 1, range.last + 1}) {
        EXPECT_NE(CharacterWidthFromTables(c), width) << std::hex << static_cast<unsigned>(c);
        EXPECT_NE(CharacterWidth(c), width) << std::hex << static_cast<unsigned>(c);
      }
    }
  }
}

// Characters at the ends of Unicode's own ranges, as every version since they came
// has them: Hangul, CJK and emoji two cells, combining marks and selectors none.
TEST(CharacterWidths, TheEndsOfHangulEmojiAndMarks) {
  const std::pair<char32_t, int> rows[] = {
      {0x2FF, 1},   {0x300, 0},   {0x36F, 0},   {0x370, 1},   {0x10FF, 1},  {0x1100, 2},
      {0x115F, 2},  {0x1160, 0},  {0x11FF, 0},  {0x1200, 1},  {0xABF9, 1},  {0xAC00, 2},
      {0xD7A3, 2},  {0xFE00, 0},  {0xFE0F, 0},  {0xFE10, 2},  {0x1F600, 2}, {0x1F64F, 2},
      {0x1F650, 1}, {0x1F9FF, 2}, {0x20000, 2}, {0x3134A, 2}, {0xE0100, 0}, {0xE01EF, 0},
  };
  for (const auto& [character, width] : rows)
    EXPECT_EQ(CharacterWidth(character), width) << std::hex << static_cast<unsigned>(character);
}

}  // namespace
}  // namespace zul
