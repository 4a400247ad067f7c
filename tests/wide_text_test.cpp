#include "win32/wide_text.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "base/code_page.h"

namespace zul {
namespace {

// The UTF-16 units of `units`, one in each wchar_t, as the wide-character calls hold them.
std::wstring Wide(std::u16string_view units) { return std::wstring(units.begin(), units.end()); }

TEST(WideText, GivesEachGlyphsCharacterAndMarkAsUtf16Units) {
  EXPECT_EQ(WideText("Kurs", Utf8CodePage()), Wide(u"Kurs"));
  EXPECT_EQ(WideText("\xF0\x9D\x84\x9E!", Utf8CodePage()), Wide(u"\U0001D11E!"));  // a pair of halves
  EXPECT_EQ(WideText("a\x01\x7F", Utf8CodePage()), Wide(u"a\u263A\u2302"));        // control bytes as glyphs
  EXPECT_EQ(WideText("x\xFF", Utf8CodePage()), Wide(u"x\u00A0"));                  // a byte that spells nothing
  EXPECT_EQ(WideText("e\xCC\x81\xCC\x82", Utf8CodePage()), Wide(u"e\u0301"));      // the first mark alone
  EXPECT_EQ(WideText("\x82\xE1", Cp437CodePage()), Wide(u"\u00E9\u00DF"));
  EXPECT_EQ(WideText("", Utf8CodePage()), Wide(u""));
}

TEST(NarrowText, SpellsTheCharactersInTheCodePageAndWhatItCannotAsQuestionMarks) {
  EXPECT_EQ(NarrowText(Wide(u"Kurs"), Utf8CodePage()), "Kurs");
  EXPECT_EQ(NarrowText(Wide(u"a\U0001D11E"), Utf8CodePage()), "a\xF0\x9D\x84\x9E");  // two halves joined
  EXPECT_EQ(NarrowText(Wide(u"\xD834-\xDD1E"), Utf8CodePage()), "?-?");              // halves alone
  EXPECT_EQ(NarrowText(Wide(u"\xD834"), Utf8CodePage()), "?");
  EXPECT_EQ(NarrowText(Wide(u"\u00E9\u20AC"), Cp437CodePage()), "\x82?");
  EXPECT_EQ(NarrowText(Wide(u""), Utf8CodePage()), "");
}

TEST(WideText, ATextOfCharactersComesBackAsItWent) {
  const std::string text = "Dat\xC3\xA9i \xE6\x97\xA5 \xF0\x9F\x98\x80";
  EXPECT_EQ(NarrowText(WideText(text, Utf8CodePage()), Utf8CodePage()), text);
}

}  // namespace
}  // namespace zul
