#include "base/upper_case.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace zul {
namespace {

// A code page that has a-umlaut (at 0x80) but not its capital.
const CodePage& SmallLettersOnly() {
  static const SingleByteCodePage kPage = [] {
    std::array<char32_t, 256> characters{};
    for (int b = 0; b < 0x80; ++b) characters[static_cast<std::size_t>(b)] = static_cast<char32_t>(b);
    characters[0x80] = U'\u00E4';
    return SingleByteCodePage(characters);
  }();
  return kPage;
}

constexpr char32_t Stray(uint8_t byte) { return 0xDC00 + byte; }

// Both forms side by side: the bytes the course file table keeps and the characters
// the list box compares.
TEST(UpperCased, MapsAToZAndSevenLettersByCharacterAndKeepsEveryOtherByte) {
  struct Row {
    const char* what;
    const CodePage& code_page;
    std::string text;
    std::string bytes;
    std::u32string characters;
  };
  const Row rows[] = {
      {"437: a to z and the seven", Cp437CodePage(), "abcdefghijklmnopqrstuvwxyz\x84\x94\x81\x82\xA4\x86\x87",
       "ABCDEFGHIJKLMNOPQRSTUVWXYZ\x8E\x99\x9A\x90\xA5\x8F\x80",
       U"ABCDEFGHIJKLMNOPQRSTUVWXYZ\u00C4\u00D6\u00DC\u00C9\u00D1\u00C5\u00C7"},
      {"437: other letters and signs stay", Cp437CodePage(), "\x83\x85\xE0{`~@[Z", "\x83\x85\xE0{`~@[Z",
       U"\u00E2\u00E0\u03B1{`~@[Z"},
      {"zero and control bytes", Cp437CodePage(), std::string("a\0b\n\x7F", 5), std::string("A\0B\n\x7F", 5),
       std::u32string(U"A\0B\n\x7F", 5)},
      {"UTF-8: the seven", Utf8CodePage(), "\u00E4\u00F6\u00FC\u00E9\u00F1\u00E5\u00E7.zul",
       "\u00C4\u00D6\u00DC\u00C9\u00D1\u00C5\u00C7.ZUL", U"\u00C4\u00D6\u00DC\u00C9\u00D1\u00C5\u00C7.ZUL"},
      {"UTF-8: others stay", Utf8CodePage(), "\u00E0\u00FF\u00DF\u65E5", "\u00E0\u00FF\u00DF\u65E5",
       U"\u00E0\u00FF\u00DF\u65E5"},
      {"UTF-8: a stray byte", Utf8CodePage(), "a\xE9z", "A\xE9Z", {U'A', Stray(0xE9), U'Z'}},
      {"UTF-8: cut short", Utf8CodePage(), "\xC3", "\xC3", {Stray(0xC3)}},
      {"UTF-8: a C1 control spells nothing", Utf8CodePage(), "\xC2\x80", "\xC2\x80", {Stray(0xC2), Stray(0x80)}},
      {"a capital the code page lacks", SmallLettersOnly(), "\x80z", "\x80Z", U"\u00C4Z"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(UpperCasedText(row.text, row.code_page), row.bytes) << row.what;
    EXPECT_EQ(UpperCasedCharacters(row.text, row.code_page), row.characters) << row.what;
  }
}

// Over every character, only a to z and the seven accented letters change, each to
// the capital 0x20 below it; and each is upper-cased so in a text of either code page.
TEST(UpperCased, ChangesOnlyAToZAndTheSevenLettersInEitherCodePage) {
  std::u32string changed;
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    if (UpperCaseLetter(c) == c) continue;
    changed.push_back(c);
    EXPECT_EQ(UpperCaseLetter(c), c - 0x20) << std::hex << static_cast<unsigned>(c);
  }
  EXPECT_EQ(changed, U"abcdefghijklmnopqrstuvwxyz\u00E4\u00E5\u00E7\u00E9\u00F1\u00F6\u00FC");
  for (const char32_t small : changed) {
    for (const CodePage* code_page : {&Cp437CodePage(), &Utf8CodePage()}) {
      std::string text = "x", capital = "X";
      ASSERT_TRUE(code_page->Encode(small, text));
      ASSERT_TRUE(code_page->Encode(small - 0x20, capital));
      EXPECT_EQ(UpperCasedText(text, *code_page), capital) << std::hex << static_cast<unsigned>(small);
      EXPECT_EQ(UpperCasedCharacters(text, *code_page),
                std::u32string({U'X', static_cast<char32_t>(small - 0x20)}));
      EXPECT_EQ(UpperCasedText(capital, *code_page), capital) << std::hex << static_cast<unsigned>(small);
    }
  }
}

}  // namespace
}  // namespace zul
