#include "win32/wide_text.h"

#include "base/unicode.h"
#include "device/text_cells.h"

namespace zul {

std::wstring WideText(const std::string& text, const CodePage& code_page) {
  std::wstring wide;
  for (const Glyph& glyph : Glyphs(text, code_page)) {
    for (const char32_t character : {glyph.character, glyph.mark}) {
      if (character == 0) continue;
      if (character >= kFirstSupplementaryCharacter) {
        const SurrogatePair pair = SplitIntoSurrogates(character);
        wide.push_back(static_cast<wchar_t>(pair.high));
        wide.push_back(static_cast<wchar_t>(pair.low));
      } else {
        wide.push_back(static_cast<wchar_t>(character));
      }
    }
  }
  return wide;
}

std::string NarrowText(std::wstring_view wide, const CodePage& code_page) {
  std::string text;
  for (std::size_t i = 0; i < wide.size(); ++i) {
    char32_t character = wide[i];
    if (IsHighSurrogate(character) && i + 1 < wide.size() && IsLowSurrogate(wide[i + 1]))
      character = JoinSurrogates(character, wide[++i]);
    if (!code_page.Encode(character, text)) text.push_back('?');
  }
  return text;
}

}  // namespace zul
