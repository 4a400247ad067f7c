#include "device/byte_keys.h"

#include <array>

namespace zul {

namespace {

constexpr uint32_t kCtrl = modifier::kLeftCtrl;
constexpr uint32_t kShift = modifier::kShift;

// The control bytes, each as the key that sends it. A terminal sends 0x00 for
// Ctrl+Space (and Ctrl+@), and 0x1C-0x1F for Ctrl with \ ] ^ _; a Windows
// console reports those keys with their own key codes (Space, the OEM keys of
// \ and ], 6 and - with Shift for ^ and _) and Ctrl, so the bytes are given
// those keys, with the byte kept, whichever reader they come through.
// clang-format off
constexpr std::array<KeyEvent, 0x20> kControlKeys = {{
    {vk::kSpace, 0x00, kCtrl}, {'A', 0x01, kCtrl},        {'B', 0x02, kCtrl},        {'C', typed::kCtrlC, kCtrl},
    {'D', 0x04, kCtrl},        {'E', 0x05, kCtrl},        {'F', 0x06, kCtrl},        {'G', 0x07, kCtrl},
    {vk::kBack, typed::kBackspace, 0}, {vk::kTab, typed::kTab, 0}, {vk::kReturn, typed::kEnter, 0},    {'K', 0x0B, kCtrl},
    {'L', 0x0C, kCtrl},        {vk::kReturn, typed::kEnter, 0}, {'N', 0x0E, kCtrl},        {'O', 0x0F, kCtrl},
    {'P', 0x10, kCtrl},        {'Q', 0x11, kCtrl},        {'R', 0x12, kCtrl},        {'S', 0x13, kCtrl},
    {'T', 0x14, kCtrl},        {'U', 0x15, kCtrl},        {'V', 0x16, kCtrl},        {'W', 0x17, kCtrl},
    {'X', 0x18, kCtrl},        {'Y', 0x19, kCtrl},        {'Z', 0x1A, kCtrl},        {vk::kEscape, typed::kEscape, 0},
    {vk::kOemBackslash, 0x1C, kCtrl}, {vk::kOemCloseBracket, 0x1D, kCtrl},
    {'6', 0x1E, kCtrl | kShift}, {vk::kOemMinus, 0x1F, kCtrl | kShift},
}};
// clang-format on

// Each row stands at its own byte (the line feed's types a carriage return).
constexpr bool ControlKeysInPlace() {
  for (int b = 0; b < 0x20; ++b)
    if (kControlKeys[b].character != char32_t(b) && b != '\n') return false;
  return true;
}
static_assert(ControlKeysInPlace());

// Every byte's key: the control bytes from their table, 0x7F as Backspace, the
// space, letters and digits with their key codes, the other ASCII bytes with none,
// and the bytes from 0x80 on as nothing: alone they spell no character.
constexpr std::array<KeyEvent, 0x100> MakeByteKeys() {
  std::array<KeyEvent, 0x100> keys{};
  for (int b = 0; b < 0x80; ++b) keys[b] = KeyEvent{0, static_cast<char32_t>(b), 0};
  for (int b = 0; b < 0x20; ++b) keys[b] = kControlKeys[b];
  keys[typed::kDelete] = KeyEvent{vk::kBack, typed::kBackspace, 0};
  keys[' '] = KeyEvent{vk::kSpace, ' ', 0};
  for (int b = '0'; b <= '9'; ++b) keys[b].key = static_cast<uint16_t>(b);
  for (int b = 'A'; b <= 'Z'; ++b) keys[b] = KeyEvent{static_cast<uint16_t>(b), static_cast<char32_t>(b), kShift};
  for (int b = 'a'; b <= 'z'; ++b) keys[b].key = static_cast<uint16_t>(b - 'a' + 'A');
  return keys;
}

constexpr std::array<KeyEvent, 0x100> kByteKeys = MakeByteKeys();

}  // namespace

KeyEvent ByteKey(uint8_t byte) { return kByteKeys[byte]; }

}  // namespace zul
