#include "win32/piped_bytes.h"

#include "device/byte_keys.h"

namespace zul {

// Bytes from 0x80 on wait until they spell a character; kMostPending of them that
// spell none, or an ASCII byte after some that it does not complete, drop them.
bool PlainByteKeys::Next(uint8_t byte, const CodePage& code_page, KeyEvent& key) {
  const bool pair_end = after_carriage_return_ && byte == '\n';
  after_carriage_return_ = byte == '\r';
  if (pair_end) return false;
  if (byte < 0x80 && pending_.empty()) {
    key = ByteKey(byte);
    return true;
  }
  pending_.push_back(static_cast<char>(byte));
  const Spelled spelled = code_page.Decode(pending_);
  if (spelled.length == pending_.size()) {
    pending_.clear();
    key = KeyEvent{0, spelled.character, 0};
    return key.character >= 0x20;
  }
  if (byte < 0x80) {
    pending_.clear();
    key = ByteKey(byte);
    return true;
  }
  if (pending_.size() >= kMostPending) pending_.clear();
  return false;
}

}  // namespace zul
