// The program's texts as a Windows console's wide-character calls take and give them
// (its title): UTF-16 units, a character beyond 16 bits as its two halves. Pure
// translations; the device makes the calls.
#pragma once

#include <string>
#include <string_view>

#include "base/code_page.h"

namespace zul {

// The characters of `text` in the program's code page, for the wide-character calls: each
// glyph's character and its mark, one UTF-16 unit in each wchar_t.
std::wstring WideText(const std::string& text, const CodePage& code_page);

// The text that the UTF-16 units of `wide` spell in `code_page`: two halves of a pair as
// the character they make; a character the code page cannot spell (a half alone among
// them) as '?'.
std::string NarrowText(std::wstring_view wide, const CodePage& code_page);

}  // namespace zul
