#include "base/upper_case.h"

#include <algorithm>

#include "base/canonical.h"

namespace zul {

Text UpperCasedText(std::string_view text, const CodePage& code_page) {
  Text upper;
  upper.reserve(text.size());
  ForEachUpperCasePiece(text, code_page, [&](const UpperCasePiece& piece) {
    // An ASCII character's capital is ASCII too, one byte: the most names need no code page.
    if (static_cast<uint8_t>(piece.bytes[0]) < 0x80) {
      upper.push_back(static_cast<char>(piece.capital));
      return;
    }
    if (piece.capital == piece.character || !code_page.Encode(piece.capital, upper)) upper.append(piece.bytes);
  });
  return upper;
}

std::u32string UpperCasedCharacters(std::u32string_view characters) {
  std::u32string upper = Composed(characters);
  std::ranges::transform(upper, upper.begin(), UpperCaseLetter);
  return upper;
}

std::u32string UpperCasedCharacters(std::string_view text, const CodePage& code_page) {
  std::u32string characters;
  characters.reserve(text.size());
  ForEachUpperCasePiece(text, code_page, [&](const UpperCasePiece& piece) {
    characters.push_back(piece.spelled ? piece.character
                                       : UnspelledByteStandIn(static_cast<uint8_t>(piece.bytes[0])));
  });
  return UpperCasedCharacters(characters);
}

}  // namespace zul
