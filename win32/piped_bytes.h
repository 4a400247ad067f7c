// Turning the bytes of a Windows program's input that is a file or a pipe, not a
// console, into the device's key events. Pure translations; reading the bytes is the
// device's job.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "base/code_page.h"
#include "device/console_device.h"

namespace zul {

// Keys from bytes read one by one when the input is not a console and no sequence decoding
// is done: each ASCII byte is the key ByteKey gives it (0x03 is Ctrl+C, 0x1B Escape), but
// that a carriage return followed by a line feed is one Enter; bytes from 0x80 on type the
// character they spell in the program's code page.
class PlainByteKeys {
 public:
  // The key that `byte` gives; false when it gives none yet (the line feed of a pair, a
  // byte of a character not yet whole, bytes that spell nothing).
  bool Next(uint8_t byte, const CodePage& code_page, KeyEvent& key);

 private:
  static constexpr std::size_t kMostPending = 4;
  bool after_carriage_return_ = false;
  std::string pending_;
};

}  // namespace zul
