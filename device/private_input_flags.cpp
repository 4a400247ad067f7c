#include "device/private_input_flags.h"

#include "device/console_device.h"

namespace zul {

namespace {

constexpr uint32_t kAutoPosition = 0x0100;
constexpr uint32_t kPrivateBits =
    input_mode::kInsert | input_mode::kQuickEdit | input_mode::kExtendedFlags | kAutoPosition;

}  // namespace

PrivateInputFlags NotePrivateFlags(PrivateInputFlags known, uint32_t mode) {
  if ((mode & input_mode::kExtendedFlags) == 0) return known;
  return PrivateInputFlags{true, mode & kPrivateBits};
}

uint32_t WithPrivateFlags(uint32_t mode, PrivateInputFlags known) {
  if (!known.known || (mode & input_mode::kExtendedFlags) != 0) return mode;
  return (mode & ~kPrivateBits) | known.flags;
}

}  // namespace zul
