// A cell as the terminal shows it, packed into 64 bits so that frames compare and copy
// as numbers: the character, the foreground and background colour, and the mark drawn
// over the character. Pure; which console cell packs to which is the presenter's.
#pragma once

#include <cstdint>
#include <string>

#include "base/code_page.h"
#include "device/text_cells.h"

namespace zul {

using PackedCell = uint64_t;

namespace packed {

// The colours of a packed cell besides the 16 console colours (0-15).
constexpr int kDefaultColour = 16;  // the terminal's own colour
constexpr int kAnyColour = 31;      // a blank's foreground: no matter which

// Where a field of a packed cell lies: its lowest bit and the bits it takes.
struct Field {
  int shift;
  int bits;
  constexpr PackedCell Mask() const { return (PackedCell{1} << bits) - 1; }
  constexpr int End() const { return shift + bits; }
};
constexpr Field kCharacter{0, 21};
constexpr Field kForeground{kCharacter.End(), 5};
constexpr Field kBackground{kForeground.End(), 5};
constexpr Field kMark{32, 21};

// The right half of a wide character has a code of its own, beyond every character.
constexpr char32_t kRightHalfCode = 0x110000;
// What the presenter knows of a cell it does not know: no packed cell is all ones.
constexpr PackedCell kUnknown = ~PackedCell{0};

static_assert(kRightHalfCode <= kCharacter.Mask() && kAnyColour <= kForeground.Mask());
static_assert(kBackground.End() <= kMark.shift && kMark.End() < 64, "the fields do not overlap");

constexpr PackedCell Get(PackedCell shown, Field field) { return (shown >> field.shift) & field.Mask(); }

constexpr char32_t Character(PackedCell shown) { return static_cast<char32_t>(Get(shown, kCharacter)); }
constexpr int Foreground(PackedCell shown) { return static_cast<int>(Get(shown, kForeground)); }
constexpr int Background(PackedCell shown) { return static_cast<int>(Get(shown, kBackground)); }
constexpr char32_t Mark(PackedCell shown) { return static_cast<char32_t>(Get(shown, kMark)); }

// The packed cell of `character` in the two colours with `mark` over it.
constexpr PackedCell Make(char32_t character, int foreground, int background, char32_t mark = 0) {
  return (PackedCell{character} << kCharacter.shift) | (PackedCell(foreground) << kForeground.shift) |
         (PackedCell(background) << kBackground.shift) | (PackedCell{mark} << kMark.shift);
}

constexpr bool IsBlank(PackedCell shown) { return Character(shown) == ' ' && Mark(shown) == 0; }
constexpr bool IsRightHalf(PackedCell shown) { return shown != kUnknown && Character(shown) == kRightHalfCode; }
inline bool IsLeftHalf(PackedCell shown) { return shown != kUnknown && CharacterWidth(Character(shown)) == 2; }

// The bytes that draw `shown`: its character and its mark in UTF-8.
inline void Append(PackedCell shown, std::string& out) {
  AppendUtf8(Character(shown), out);
  if (Mark(shown) != 0) AppendUtf8(Mark(shown), out);
}

}  // namespace packed
}  // namespace zul
