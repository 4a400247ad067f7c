#include "device/byte_keys.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "base/code_page.h"
#include "dialogs/dialog_keys.h"
#include "terminal/input_decoder.h"
#include "win32/piped_bytes.h"

namespace zul {
namespace {

std::string Show(const KeyEvent& key) {
  char line[48];
  std::snprintf(line, sizeof line, "key %02X char %04X mods %02X", key.key, static_cast<unsigned>(key.character),
                static_cast<unsigned>(key.modifiers));
  return line;
}

// The key a terminal's decoder gives for `bytes` typed alone. "none" when it
// gives no key, "several" when more than one.
std::string FromTerminal(const std::string& bytes) {
  InputDecoder decoder;
  decoder.Feed(bytes, 0);
  decoder.Finish();
  InputEvent event;
  if (!decoder.Next(event)) return "none";
  InputEvent more;
  if (decoder.Next(more)) return "several";
  return event.kind == InputEvent::Kind::kKey ? Show(event.key) : "not a key";
}

// The key the Windows device gives for `bytes` read from a redirected input in
// UTF-8; "none" when the last byte gives none.
std::string FromRedirectedInput(const std::string& bytes) {
  PlainByteKeys keys;
  KeyEvent key;
  bool given = false;
  for (const char byte : bytes) given = keys.Next(static_cast<uint8_t>(byte), Utf8CodePage(), key);
  return given ? Show(key) : "none";
}

constexpr uint32_t kCtrl = modifier::kLeftCtrl;
constexpr uint32_t kShift = modifier::kShift;

// Both readers give every byte the same key, and these bytes the keys that a
// Windows console reports for the keys that send them on a terminal. None of
// the control bytes types itself into a dialog, and only 0x03 and Esc cancel.
TEST(ByteKeys, BothReadersGiveEveryByteTheKeyThatSendsIt) {
  struct Row {
    uint8_t byte;
    KeyEvent key;
  };
  const Row rows[] = {
      {0x00, {vk::kSpace, 0x00, kCtrl}},              // Ctrl+Space, Ctrl+@
      {0x01, {'A', 0x01, kCtrl}},                     // Ctrl+A
      {0x03, {'C', 0x03, kCtrl}},                     // Ctrl+C
      {0x08, {vk::kBack, 0x08, 0}},                   // Backspace, Ctrl+H
      {0x09, {vk::kTab, 0x09, 0}},                    // Tab
      {0x0A, {vk::kReturn, 0x0D, 0}},                 // Enter as a line feed
      {0x0D, {vk::kReturn, 0x0D, 0}},                 // Enter
      {0x1A, {'Z', 0x1A, kCtrl}},                     // Ctrl+Z
      {0x1B, {vk::kEscape, 0x1B, 0}},                 // Esc
      {0x1C, {vk::kOemBackslash, 0x1C, kCtrl}},       // Ctrl+backslash
      {0x1D, {vk::kOemCloseBracket, 0x1D, kCtrl}},    // Ctrl+]
      {0x1E, {'6', 0x1E, kCtrl | kShift}},            // Ctrl+^
      {0x1F, {vk::kOemMinus, 0x1F, kCtrl | kShift}},  // Ctrl+_
      {' ', {vk::kSpace, ' ', 0}},
      {'7', {'7', '7', 0}},
      {'Q', {'Q', 'Q', kShift}},
      {'q', {'Q', 'q', 0}},
      {'~', {0, '~', 0}},
      {0x7F, {vk::kBack, 0x08, 0}},  // Backspace as DEL
      {0xE9, {0, 0, 0}},             // alone, no character
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Show(ByteKey(row.byte)), Show(row.key)) << "byte " << int(row.byte);
    if (row.byte >= 0x20) continue;
    EXPECT_FALSE(IsTypedCharacter(row.key)) << "byte " << int(row.byte);
    EXPECT_EQ(IsCancelKey(row.key), row.byte == 0x03 || row.byte == 0x1B) << "byte " << int(row.byte);
  }
  for (int b = 0; b < 0x80; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const std::string expected = Show(ByteKey(static_cast<uint8_t>(b)));
    EXPECT_EQ(FromRedirectedInput(byte), expected) << "byte " << b;
    EXPECT_EQ(FromTerminal(byte), expected) << "byte " << b;
  }
  for (const char32_t character : {U'\u00E9', U'\u65E5', U'\U0001F600'}) {
    std::string bytes;
    AppendUtf8(character, bytes);
    const std::string expected = Show(KeyEvent{0, character, 0});
    EXPECT_EQ(FromRedirectedInput(bytes), expected) << bytes;
    EXPECT_EQ(FromTerminal(bytes), expected) << bytes;
  }
}

}  // namespace
}  // namespace zul
