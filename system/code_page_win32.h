// The code pages Windows knows by number, for the texts of a run on a Windows console.
#pragma once

#include <cstdint>
#include <memory>

#include "base/code_page.h"

namespace zul {

// Code page `number` as Windows converts it (one byte per character, or a lead byte
// and more for the East Asian ones); null when Windows does not know it. A byte that
// Windows maps to a C1 control spells nothing here, and a character spells nothing
// when Windows would give it only a stand-in (no best fit).
std::unique_ptr<CodePage> WindowsCodePage(uint32_t number);

}  // namespace zul
