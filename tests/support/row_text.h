// Reading a virtual console's screen in tests: the characters a row shows, as
// UTF-8 text that an expectation can compare. Test support only.
#pragma once

#include <string>

#include "device/virtual_console.h"
#include "tests/support/printers.h"

namespace zul::testing {

// The characters of row `y`, or of columns [x, x + count) of it, in UTF-8: a right
// half of a wide character gives nothing, a mark follows its character. A row or
// columns outside the buffer give nothing.
std::string RowText(const VirtualConsole& console, int y);
std::string RowText(const VirtualConsole& console, int y, int x, int count);

}  // namespace zul::testing
