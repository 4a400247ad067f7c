#include "consoletools/byte_string.h"

namespace zul {

std::string ByteStringText(const char* bytes) { return std::string(bytes ? bytes : "", ByteStringLength(bytes)); }

}  // namespace zul
