#include "base/upper_case.h"

#include <algorithm>
#include <array>

#include "base/canonical.h"

namespace zul {

char32_t UpperCaseLetter(char32_t character) {
  // The accented letters and their capitals: a o u with diaeresis, e with acute,
  // n with tilde, a with ring, c with cedilla.
  static constexpr std::array<std::array<char32_t, 2>, 7> kAccented = {{{U'\u00E4', U'\u00C4'},
                                                                        {U'\u00F6', U'\u00D6'},
                                                                        {U'\u00FC', U'\u00DC'},
                                                                        {U'\u00E9', U'\u00C9'},
                                                                        {U'\u00F1', U'\u00D1'},
                                                                        {U'\u00E5', U'\u00C5'},
                                                                        {U'\u00E7', U'\u00C7'}}};
  if (character < 0x80) return AsciiCapital(character);
  for (const auto& [small, capital] : kAccented)
    if (character == small) return capital;
  return character;
}

Text UpperCasedText(std::string_view text, const CodePage& code_page) {
  Text upper;
  upper.reserve(text.size());
  ForEachCharacter(text, code_page, [&](const TextPiece& piece) {
    // An ASCII character's capital is ASCII too, one byte: the most names need no code page.
    if (static_cast<uint8_t>(piece.bytes[0]) < 0x80) {
      upper.push_back(AsciiCapital(piece.bytes[0]));
      return;
    }
    const char32_t capital = UpperCaseLetter(piece.character);
    if (capital == piece.character || !code_page.Encode(capital, upper)) upper.append(piece.bytes);
  });
  return upper;
}

std::u32string UpperCasedCharacters(std::u32string_view characters) {
  std::u32string upper = Composed(characters);
  std::ranges::transform(upper, upper.begin(), UpperCaseLetter);
  return upper;
}

std::u32string UpperCasedCharacters(std::string_view text, const CodePage& code_page) {
  return UpperCasedCharacters(CharactersWithStandIns(text, code_page));
}

}  // namespace zul
