#include "win32/piped_bytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/code_page.h"

namespace zul {
namespace {

std::vector<KeyEvent> Keys(const std::string& bytes, const CodePage& code_page = Cp437CodePage()) {
  PlainByteKeys keys;
  std::vector<KeyEvent> out;
  for (char c : bytes) {
    KeyEvent key;
    if (keys.Next(static_cast<uint8_t>(c), code_page, key)) out.push_back(key);
  }
  return out;
}

TEST(PlainByteKeys, GivesOneEnterPerLineEndWhateverItsSpelling) {
  const std::vector<KeyEvent> keys = Keys("a\r\nb\nc\r\r\n\n");
  std::string typed;
  for (const KeyEvent& key : keys) typed += key.key == vk::kReturn ? '|' : static_cast<char>(key.character);
  EXPECT_EQ(typed, "a|b|c|||");
  EXPECT_EQ(keys[1].character, '\r');
  EXPECT_EQ(keys[3].character, '\r');  // a line feed alone types a carriage return, as Enter does
}

TEST(PlainByteKeys, ControlBytesBecomeTheKeysThatTypeThem) {
  const std::vector<KeyEvent> keys = Keys(std::string("\x1b\x08\x7f\t\x03\x01 zQ7~\xe9", 12));
  ASSERT_EQ(keys.size(), 12u);
  EXPECT_EQ(keys[0].key, vk::kEscape);
  EXPECT_EQ(keys[0].character, 0x1B);
  EXPECT_EQ(keys[1].key, vk::kBack);
  EXPECT_EQ(keys[2].key, vk::kBack);
  EXPECT_EQ(keys[2].character, 0x08);
  EXPECT_EQ(keys[3].key, vk::kTab);
  EXPECT_EQ(keys[4].key, 'C');
  EXPECT_EQ(keys[4].character, 0x03);
  EXPECT_EQ(keys[4].modifiers, modifier::kLeftCtrl);
  EXPECT_EQ(keys[5].key, 'A');
  EXPECT_EQ(keys[5].modifiers, modifier::kLeftCtrl);
  EXPECT_EQ(keys[6].key, vk::kSpace);
  EXPECT_EQ(keys[7].key, 'Z');
  EXPECT_EQ(keys[7].character, 'z');
  EXPECT_EQ(keys[7].modifiers, 0u);
  EXPECT_EQ(keys[8].key, 'Q');
  EXPECT_EQ(keys[8].modifiers, modifier::kShift);
  EXPECT_EQ(keys[9].key, '7');
  EXPECT_EQ(keys[10].key, 0);
  EXPECT_EQ(keys[10].character, '~');
  EXPECT_EQ(keys[11].character, U'\u0398');  // 0xE9 in code page 437
}

TEST(PlainByteKeys, BytesFromTheHighHalfTypeTheCharacterTheySpell) {
  std::string typed;
  for (const KeyEvent& key : Keys("\xC3\xA4\xE6\x97\xA5\xC3"
                                  "a\xFF\x80"
                                  "b",
                                  Utf8CodePage()))
    AppendUtf8(key.character, typed);
  EXPECT_EQ(typed, "\u00E4\u65E5ab");  // a character cut short, and stray bytes, type nothing
}

}  // namespace
}  // namespace zul
