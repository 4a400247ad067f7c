#include "console/console_tools_adapter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/support/recording.h"

namespace zul {
namespace {

using ::testing::ElementsAre;

TEST(ByteString, HasItsLengthBeforeAndAZeroByteAfterAndEmptyIsNull) {
  const std::string text("ab\0c", 4);
  ByteString bytes = AllocByteString(text);
  ASSERT_NE(bytes, nullptr);
  uint32_t length;
  std::memcpy(&length, bytes - 4, 4);
  EXPECT_EQ(length, 4u);
  EXPECT_EQ(bytes[4], '\0');
  EXPECT_EQ(ByteStringLength(bytes), 4u);
  EXPECT_EQ(ByteStringText(bytes), text);
  FreeByteString(bytes);

  EXPECT_EQ(AllocByteString(""), nullptr);
  EXPECT_EQ(ByteStringLength(nullptr), 0u);
  EXPECT_EQ(ByteStringText(nullptr), "");
  FreeByteString(nullptr);
}

// The descriptor's bytes as the library reads them, P being the pointer size.
TEST(ListTableArgument, DescribesTheTableByteForByte) {
  ListTable table;
  table[1] = "A.ZUL";
  table[2] = "B.ZUL";
  ListTableArgument argument(table);
  const auto* bytes = reinterpret_cast<const uint8_t*>(argument.Descriptor());
  constexpr std::size_t p = sizeof(void*);
  ASSERT_EQ(sizeof(ListDescriptor), 112 + p);
  if (p == 4) {
    EXPECT_EQ(sizeof(ListDescriptor), 116u);
  }

  auto u32 = [&](std::size_t offset) {
    uint32_t value;
    std::memcpy(&value, bytes + offset, 4);
    return value;
  };
  EXPECT_EQ(bytes[p], 0x0C);
  EXPECT_EQ(bytes[p + 1], 0);
  EXPECT_EQ(bytes[p + 2], 0x2E);
  EXPECT_EQ(bytes[p + 3], 1);
  EXPECT_EQ(u32(p + 4), 1000u);
  EXPECT_EQ(u32(p + 8), 1000u * p);
  EXPECT_EQ(u32(p + 12), 0u);
  EXPECT_EQ(u32(p + 16), p);
  EXPECT_EQ(u32(p + 20), 1u);
  EXPECT_EQ(u32(p + 24), 1000u);
  for (std::size_t offset = p + 28; offset < 112 + p; offset += 4) EXPECT_EQ(u32(offset), 0u) << offset;

  ByteString* data;
  std::memcpy(&data, bytes, p);
  EXPECT_EQ(ByteStringText(data[0]), "A.ZUL");
  EXPECT_EQ(ByteStringText(data[1]), "B.ZUL");
  EXPECT_EQ(data[2], nullptr);
  EXPECT_EQ(data[999], nullptr);
}

TEST(ConsoleToolsAdapter, PassesTextsAsByteStringsAndTakesResultsBack) {
  testing::CallLog log;
  testing::RecordingConsoleTools library(log);
  ConsoleToolsAdapter tools(library);
  library.answers = {std::string("  d:\\x ", 7), std::string("A.ZUL\0C.ZUL", 11)};

  tools.InitConsoleTools(nullptr, 128, 32, 3, 0, 0);
  tools.ConsoleTitle("caption");
  const int32_t row = tools.LocOfRow(15);
  const int32_t column = tools.LocOfCol(40);
  EXPECT_EQ(tools.ConsoleInputBox(33, column, row, "Q? ", "hint", "", 1, 32768), "  d:\\x ");
  ListTable list;
  list[1] = "A.ZUL";
  list[3] = "C.ZUL";
  EXPECT_EQ(tools.ConsoleListBox(3, 0, 0, "/dir", " hint", list, 0, 1, 0), std::string("A.ZUL\0C.ZUL", 11));
  EXPECT_THAT(library.last_list, ElementsAre("A.ZUL", "C.ZUL"));
  EXPECT_EQ(tools.ConsoleListBox(3, 0, 0, "", "", list, 0, 1, 0), "");  // no answer left: null

  EXPECT_THAT(log,
              ElementsAre("InitConsoleTools(null, 128, 32, 3, &0, 0)", "ConsoleTitle(\"caption\")", "LocOfRow(15)",
                          "LocOfCol(40)", "ConsoleInputBox(33, 400, 1500, \"Q? \", \"hint\", null, 1, 32768)",
                          "ConsoleListBox(3, 0, 0, \"/dir\", \" hint\", list, 0, 1, 0)",
                          "ConsoleListBox(3, 0, 0, \"\", \"\", list, 0, 1, 0)"));
}

}  // namespace
}  // namespace zul
