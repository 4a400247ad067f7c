#include "base/text.h"

#include <gtest/gtest.h>

namespace zul {
namespace {

TEST(Trim, RemovesOnlyLeadingAndTrailingBlanks) {
  EXPECT_EQ(Trim("  d:\\courses  "), "d:\\courses");
  EXPECT_EQ(Trim("    "), "");
  EXPECT_EQ(Trim(""), "");
  EXPECT_EQ(Trim("\tx\t"), "\tx\t");
  EXPECT_EQ(Trim(std::string(" a\0b ", 5)), std::string("a\0b", 3));
  EXPECT_EQ(Trim("a  b"), "a  b");
}

TEST(CompareTexts, OrdersByUnsignedBytesThenLength) {
  EXPECT_LT(CompareTexts("10.ZUL", "9.ZUL"), 0);
  EXPECT_LT(CompareTexts("A.ZUL", "AB.ZUL"), 0);
  EXPECT_LT(CompareTexts("AB.ZUL", "A_B.ZUL"), 0);
  EXPECT_LT(CompareTexts("", "A"), 0);
  EXPECT_LT(CompareTexts("A", "AB"), 0);
  EXPECT_GT(CompareTexts("\x80", "\x7F"), 0);
  EXPECT_EQ(CompareTexts("abc", "abc"), 0);
  EXPECT_NE(CompareTexts("abc", "ABC"), 0);
  EXPECT_LT(CompareTexts(Text("A\0B", 3), Text("A\0C", 3)), 0);  // a zero byte is a byte like any other
}

TEST(NameTable, IsIndexedFromItsLowerBoundAndStartsEmpty) {
  ChosenNameTable chosen;
  ListTable list;
  chosen[0] = "zero";
  chosen[1000] = "last";
  list[1] = "first";
  list[1000] = "end";
  EXPECT_EQ(*chosen.begin(), "zero");
  EXPECT_EQ(*(chosen.end() - 1), "last");
  EXPECT_EQ(*list.begin(), "first");
  EXPECT_EQ(*(list.end() - 1), "end");
  EXPECT_EQ(list[500], "");
  EXPECT_FALSE(ListTable::InBounds(0));
  EXPECT_TRUE(ChosenNameTable::InBounds(0));
  EXPECT_FALSE(ChosenNameTable::InBounds(1001));
}

}  // namespace
}  // namespace zul
