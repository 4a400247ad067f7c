// Canonical equivalence: the one spelling (Unicode's composed form, NFC) of texts that
// differ only in how their letters are put together, such as u-umlaut as one character
// or as u and a combining diaeresis, the way some file systems and archives store names.
// Characters only; how bytes spell them is code_page.h's.
#pragma once

#include <string>
#include <string_view>

namespace zul {

// `characters` canonically composed: each character decomposed as far as it goes, the
// combining marks after each base put in the order of their combining classes, then
// each base composed with every mark that nothing between them blocks and that it has a
// composite with (Hangul syllables by their arithmetic; the composites excluded from
// composing stay decomposed). Two canonically equivalent texts give the same characters.
// Kept as they are: the CJK compatibility ideographs, and values that are no characters,
// such as the stand-ins for bytes that spell none.
std::u32string Composed(std::u32string_view characters);

}  // namespace zul
