// SysAllocStringByteLen and SysFreeString come with <windows.h> (through <ole2.h>).
#include <windows.h>

#include <new>

#include "consoletools/byte_string.h"

namespace zul {

// The system's own allocator for automation strings: the length prefix and
// the terminating zero bytes are laid out by it.
ByteString AllocByteString(const std::string& text) {
  if (text.empty()) return nullptr;
  BSTR bytes = SysAllocStringByteLen(text.data(), static_cast<UINT>(text.size()));
  if (bytes == nullptr) throw std::bad_alloc();
  return reinterpret_cast<ByteString>(bytes);
}

void FreeByteString(ByteString bytes) {
  if (bytes != nullptr) SysFreeString(reinterpret_cast<BSTR>(bytes));
}

uint32_t ByteStringLength(const char* bytes) {
  if (bytes == nullptr) return 0;
  return SysStringByteLen(reinterpret_cast<BSTR>(const_cast<char*>(bytes)));
}

}  // namespace zul
