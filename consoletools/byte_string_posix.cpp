#include <cstdlib>
#include <cstring>
#include <new>

#include "consoletools/byte_string.h"

namespace zul {

// Layout: [4-byte length][bytes][two zero bytes], the pointer at the bytes.
ByteString AllocByteString(const std::string& text) {
  if (text.empty()) return nullptr;
  const uint32_t length = static_cast<uint32_t>(text.size());
  char* block = static_cast<char*>(std::malloc(sizeof(uint32_t) + length + 2));
  if (block == nullptr) throw std::bad_alloc();
  std::memcpy(block, &length, sizeof length);
  std::memcpy(block + sizeof length, text.data(), length);
  block[sizeof length + length] = 0;
  block[sizeof length + length + 1] = 0;
  return block + sizeof length;
}

void FreeByteString(ByteString bytes) {
  if (bytes != nullptr) std::free(bytes - sizeof(uint32_t));
}

uint32_t ByteStringLength(const char* bytes) {
  if (bytes == nullptr) return 0;
  uint32_t length;
  std::memcpy(&length, bytes - sizeof length, sizeof length);
  return length;
}

}  // namespace zul
