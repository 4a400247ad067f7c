// Matching a name against a pattern with the wildcards `*` and `?`, the one rule of the
// directory search and the list box's filter. Pure, for bytes or characters alike; it
// knows no code page and folds letters only through the fold its caller gives.
#pragma once

#include <cstddef>
#include <string_view>

namespace zul {

// The fold that leaves every character as it is: an exact match.
struct ExactCharacters {
  template <typename Character>
  constexpr Character operator()(Character character) const {
    return character;
  }
};

// Whether `text` as a whole matches `pattern`: `*` stands for any run of characters
// (also none), `?` for exactly one, any other character for one that is the same
// after `fold` (a callable from Character to something comparable). A pattern that
// is to be found anywhere in a text is wrapped in stars by its caller.
// Greedy with one step back:
// 1. walk the text; a `?` or a character that folds alike takes one character;
// 2. a `*` is noted with where the text stood, and first takes nothing;
// 3. on a mismatch the last `*` takes one more character and matching resumes
//    after it; with no `*` behind, the text does not match.
template <typename Character, typename Fold = ExactCharacters>
constexpr bool MatchesWildcard(std::basic_string_view<Character> pattern, std::basic_string_view<Character> text,
                               Fold fold = {}) {
  constexpr Character kAnyRun = '*';
  constexpr Character kAnyOne = '?';
  constexpr std::size_t kNone = std::basic_string_view<Character>::npos;
  std::size_t p = 0;
  std::size_t t = 0;
  std::size_t star = kNone;
  std::size_t resume = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == kAnyRun) {
      star = p++;
      resume = t;
    } else if (p < pattern.size() && (pattern[p] == kAnyOne || fold(pattern[p]) == fold(text[t]))) {
      ++p;
      ++t;
    } else if (star != kNone) {
      p = star + 1;
      t = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == kAnyRun) ++p;
  return p == pattern.size();
}

}  // namespace zul
