#include "base/canonical.h"

#include <gtest/gtest.h>

#include <string>

namespace zul {
namespace {

// Canonically equivalent spellings come out as one, and what has no other spelling
// comes out as it went in.
TEST(Composed, GivesCanonicallyEquivalentTextsOneSpelling) {
  struct Row {
    const char* what;
    std::u32string text;
    std::u32string composed;
  };
  const Row rows[] = {
      {"u and a diaeresis", U"u\u0308ber", U"\u00FCber"},
      {"composed already", U"\u00FCber", U"\u00FCber"},
      {"a mark of a letter none of the seven", U"a\u0300", U"\u00E0"},
      {"marks in the order of their classes", U"a\u0323\u0302", U"\u1EAD"},
      {"the same marks the other way round", U"a\u0302\u0323", U"\u1EAD"},
      {"a mark below a letter that decomposes twice", U"\u01D5\u0323", U"\u1EE4\u0308\u0304"},
      {"a mark of the same class is blocked", U"a\u0313\u0301", U"a\u0313\u0301"},
      {"a mark of a lower class is not", U"a\u0319\u0301", U"\u00E1\u0319"},
      {"a base between is", U"ea\u0301e", U"e\u00E1e"},
      {"a mark with no base before it", U"\u0308u", U"\u0308u"},
      {"one character the same as another", U"\u212B", U"\u00C5"},
      {"a mark the same as another", U"e\u0341", U"\u00E9"},
      {"Hangul leading, vowel, trailing", U"\u1112\u1161\u11AB", U"\uD55C"},
      {"Hangul syllable and trailing", U"\uD558\u11AB", U"\uD55C"},
      {"Hangul syllable with its trailing", U"\uD55C", U"\uD55C"},
      {"an excluded composite stays decomposed", U"\u0958", U"\u0915\u093C"},
      {"and is not composed", U"\u0915\u093C", U"\u0915\u093C"},
      {"a composite that decomposes into marks", U"\u0344", U"\u0308\u0301"},
      {"beyond 16 bits", U"\U000110A5\U000110BA", U"\U000110AB"},
      {"a CJK compatibility ideograph is kept", U"\uF900", U"\uF900"},
      {"byte stand-ins between", {U'u', 0xDCC3, U'\u0308', 0xDCBC}, {U'u', 0xDCC3, U'\u0308', 0xDCBC}},
  };
  for (const Row& row : rows) EXPECT_EQ(Composed(row.text), row.composed) << row.what;
}

}  // namespace
}  // namespace zul
