// Byte strings as texts cross to and from the console-tools library: laid out
// like OLE automation byte strings, with the 32-bit byte length in the four bytes
// before the first byte and a zero byte after the last. The empty text is a null
// pointer. Whoever receives a byte string as a result owns it and frees it with
// FreeByteString; an argument belongs to the caller and lives for the call only.
#pragma once

#include <cstdint>
#include <string>

namespace zul {

using ByteString = char*;

// A fresh byte string holding `text`; null for the empty text.
ByteString AllocByteString(const std::string& text);
// Frees a byte string made by AllocByteString; null is allowed.
void FreeByteString(ByteString bytes);
// The length stored before the first byte; 0 for null.
uint32_t ByteStringLength(const char* bytes);
// The bytes of a byte string as a text; the empty text for null.
std::string ByteStringText(const char* bytes);

}  // namespace zul
