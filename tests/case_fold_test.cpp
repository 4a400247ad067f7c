#include "base/case_fold.h"

#include <gtest/gtest.h>

#include <string>

namespace zul {
namespace {

// Each script's capitals and small letters fold to one form; what has no case, or only
// a fold of several characters, stays.
TEST(FoldedCase, GivesEachLetterOneFormWhateverItsCase) {
  struct Row {
    const char* what;
    char32_t character;
    char32_t folded;
  };
  const Row rows[] = {
      {"ASCII capital", U'A', U'a'},
      {"a sign before the capitals", U'@', U'@'},
      {"a sign after them", U'[', U'['},
      {"Latin-1 capital", U'\u00C0', U'\u00E0'},
      {"the sign between the Latin-1 capitals", U'\u00D7', U'\u00D7'},
      {"sharp s: its full fold is ss", U'\u00DF', U'\u00DF'},
      {"capital sharp s", U'\u1E9E', U'\u00DF'},
      {"y with diaeresis, capital far from it", U'\u0178', U'\u00FF'},
      {"every other: capital A with macron", U'\u0100', U'\u0101'},
      {"every other: its small letter", U'\u0101', U'\u0101'},
      {"Turkic: capital I with dot above", U'\u0130', U'\u0130'},
      {"Turkic: dotless i", U'\u0131', U'\u0131'},
      {"Greek capital sigma", U'\u03A3', U'\u03C3'},
      {"Greek final sigma", U'\u03C2', U'\u03C3'},
      {"Greek small sigma", U'\u03C3', U'\u03C3'},
      {"Kelvin sign", U'\u212A', U'k'},
      {"Cyrillic capital ka", U'\u041A', U'\u043A'},
      {"Cyrillic every other: capital omega", U'\u0460', U'\u0461'},
      {"Armenian capital ayb", U'\u0531', U'\u0561'},
      {"Cherokee small letter to its capital", U'\uAB70', U'\u13A0'},
      {"Adlam capital", U'\U0001E900', U'\U0001E922'},
      {"an ideograph has no case", U'\u65E5', U'\u65E5'},
      {"a stand-in for a byte", 0xDCC3, 0xDCC3},
      {"no character at all", 0x110000, 0x110000},
  };
  for (const Row& row : rows) EXPECT_EQ(FoldedCase(row.character), row.folded) << row.what;
  EXPECT_EQ(FoldedCase(U"J\u00D6RG \u039A\u038E\u03BA\u03BB\u03BF\u03C2 \u041A\u0443\u0440\u0441\u044B"),
            U"j\u00F6rg \u03BA\u03CD\u03BA\u03BB\u03BF\u03C3 \u043A\u0443\u0440\u0441\u044B");
}

// Over every value: a folded character folds no further, and as many characters fold
// as Unicode's simple folding has (the assigned ones that fold to another).
TEST(FoldedCase, FoldsOnceAndAsManyCharactersAsUnicodeHas) {
  int folding = 0;
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    const char32_t folded = FoldedCase(c);
    if (folded == c) continue;
    ++folding;
    EXPECT_EQ(FoldedCase(folded), folded) << std::hex << static_cast<unsigned>(c);
  }
  EXPECT_EQ(folding, 1454);
}

}  // namespace
}  // namespace zul
