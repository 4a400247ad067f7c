#include "device/private_input_flags.h"

#include "device/input_events.h"

namespace zul {

namespace {

constexpr uint32_t kPrivateBits =
    input_mode::kInsert | input_mode::kQuickEdit | input_mode::kExtendedFlags | input_mode::kAutoPosition;

}  // namespace

PrivateInputFlags NotePrivateFlags(PrivateInputFlags known, uint32_t mode) {
  if ((mode & input_mode::kExtendedFlags) == 0) return known;
  return PrivateInputFlags{true, mode & kPrivateBits};
}

bool TellsPrivateFlags(uint32_t mode) { return (mode & input_mode::kExtendedFlags) != 0; }

uint32_t WithDefaultPrivateFlags(uint32_t mode) { return TellsPrivateFlags(mode) ? mode : mode | kPrivateBits; }

uint32_t WithPrivateFlags(uint32_t mode, PrivateInputFlags known) {
  if (!known.known || (mode & input_mode::kExtendedFlags) != 0) return mode;
  return (mode & ~kPrivateBits) | known.flags;
}

}  // namespace zul
