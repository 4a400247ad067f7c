// The glyphs of the console's byte code page, CP437: every byte value, control
// bytes included, has a picture (0x0A is a small circle in a box, not a new
// line). A terminal and the Windows wide-character calls are given these.
#pragma once

#include <cstdint>
#include <string>

namespace zul {

// The Unicode code point of the glyph of `byte`; 0x00 is a blank.
char32_t Cp437Glyph(uint8_t byte);

// The glyph of `byte` in UTF-8, appended to `out`.
void AppendCp437Utf8(uint8_t byte, std::string& out);

}  // namespace zul
