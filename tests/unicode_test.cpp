#include "base/unicode.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace zul
