#include "base/wildcard.h"

#include <gtest/gtest.h>

#include <string>

#include "base/upper_case.h"

namespace zul {
namespace {

// Bytes with ASCII letters folded, as the directory search matches names.
TEST(MatchesWildcard, MatchesTheWholeNameWithStarQuestionMarkAndAsciiCaseFolding) {
  struct Case {
    std::string pattern;
    std::string name;
    bool matches;
  };
  const Case cases[] = {
      {"*.ZUL", "a.zul", true},
      {"*.ZUL", "A.ZUL", true},
      {"*.ZUL", "Mixed.Zul", true},
      {"*.ZUL", ".zul", true},
      {"*.ZUL", "a.zulu", false},
      {"*.ZUL", "z.ZUL.txt", false},
      {"*.ZUL", "azul", false},
      {"*.ZUL", "x.zul.zul", true},
      {"*.ZUL", "a.zu", false},
      {"*", "", true},
      {"*", "anything", true},
      {"", "", true},
      {"", "a", false},
      {"a", "", false},
      {"?", "", false},
      {"?.zul", "a.ZUL", true},
      {"?.zul", "ab.zul", false},
      {"a?c", "abc", true},
      {"a?c", "ac", false},
      {"a*b*c", "aXbYbZc", true},
      {"a*b*c", "aXbYbZ", false},
      {"**x", "abx", true},
      {"*x*", "x", true},
      {"*ab", "aab", true},
      {"*.Z?L", "f.zal", true},
      {"\xE9.zul", "\xC9.zul", false},
      {"\x84*", "\x84.zul", true},
      {"a_b", "A_B", true},
      {"[ab]", "a", false},
      {"@", "`", false},
      {std::string("a\0*", 3), std::string("A\0b", 3), true},
  };
  for (const Case& each : cases) {
    EXPECT_EQ(MatchesWildcard<char>(each.pattern, each.name, AsciiCapital<char>), each.matches)
        << "pattern [" << each.pattern << "] name [" << each.name << "]";
  }
}

// Characters compared exactly, the pattern wrapped in stars, as the list box's filter
// matches its upper-cased names.
TEST(MatchesWildcard, FindsAPatternAnywhereInCharactersWhenWrappedInStars) {
  struct Case {
    std::u32string pattern;
    std::u32string name;
    bool matches;
  };
  constexpr char32_t kStray = 0xDC84;  // how the list box keeps a byte that spells nothing
  const Case cases[] = {
      {U"*\u00C4R*", U"\u00C4RGER.ZUL", true},
      {U"*RGER*", U"\u00C4RGER.ZUL", true},
      {U"*r*", U"\u00C4RGER.ZUL", false},
      {U"*\u00C4?G*", U"\u00C4RGER.ZUL", true},
      {U"*G*R*", U"\u00C4RGER.ZUL", true},
      {U"*L*", U"\u00C4RGER.ZUL", true},
      {U"*A*", U"\u00C4RGER.ZUL", false},
      {U"**", U"", true},
      {U"*\U0001F600*", U"A\U0001F600", true},
      {{U'*', kStray, U'*'}, {U'X', kStray}, true},
      {{U'*', kStray, U'*'}, {U'X', kStray + 1}, false},
      {U"*?*", U"", false},
  };
  for (const Case& each : cases)
    EXPECT_EQ(MatchesWildcard<char32_t>(each.pattern, each.name), each.matches)
        << "pattern of " << each.pattern.size() << " characters, name of " << each.name.size();
}

}  // namespace
}  // namespace zul
