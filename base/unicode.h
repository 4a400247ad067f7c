// The Unicode ranges and the UTF-16 arithmetic the program needs in more than one
// place: C1 controls, surrogates and their halves, pairs joined and split. Values
// only; how bytes spell characters is code_page.h's.
#pragma once

#include <cstdint>

namespace zul {

constexpr char32_t kReplacementCharacter = U'\uFFFD';
constexpr char32_t kLastCharacter = 0x10FFFF;
// The first character beyond the 16-bit ones, which UTF-16 spells as a pair of halves.
constexpr char32_t kFirstSupplementaryCharacter = 0x10000;

// The C1 control characters, which a terminal may take for commands.
constexpr char32_t kFirstC1Control = 0x80;
constexpr char32_t kLastC1Control = 0x9F;
constexpr bool IsC1Control(char32_t character) {
  return character >= kFirstC1Control && character <= kLastC1Control;
}

// The surrogates: the high halves (U+D800 to U+DBFF) that begin a UTF-16 pair and
// the low halves (U+DC00 to U+DFFF) that end it; no character is one.
constexpr char32_t kFirstHighSurrogate = 0xD800;
constexpr char32_t kFirstLowSurrogate = 0xDC00;
constexpr char32_t kLastSurrogate = 0xDFFF;
// The bits of the offset beyond U+FFFF that each half of a pair carries.
constexpr int kSurrogateBits = 10;
constexpr char32_t kSurrogateMask = (char32_t{1} << kSurrogateBits) - 1;
constexpr bool IsHighSurrogate(char32_t unit) { return unit >= kFirstHighSurrogate && unit < kFirstLowSurrogate; }
constexpr bool IsLowSurrogate(char32_t unit) { return unit >= kFirstLowSurrogate && unit <= kLastSurrogate; }
constexpr bool IsSurrogate(char32_t unit) { return unit >= kFirstHighSurrogate && unit <= kLastSurrogate; }

// Whether `value` is a character at all: not a surrogate, not beyond U+10FFFF.
constexpr bool IsCharacter(char32_t value) { return value <= kLastCharacter && !IsSurrogate(value); }

// Whether UTF-16 spells `character` with one unit of its own (not a pair, not a half).
constexpr bool IsOneUtf16Unit(char32_t character) {
  return character < kFirstSupplementaryCharacter && !IsSurrogate(character);
}

// The character a high and a low half spell together; both must be halves of their kind.
constexpr char32_t JoinSurrogates(char32_t high, char32_t low) {
  return kFirstSupplementaryCharacter + ((high - kFirstHighSurrogate) << kSurrogateBits) +
         (low - kFirstLowSurrogate);
}

// The two halves that spell `character`, which lies beyond the 16-bit ones (and is a
// character).
struct SurrogatePair {
  char16_t high = 0;
  char16_t low = 0;
};
constexpr SurrogatePair SplitIntoSurrogates(char32_t character) {
  const char32_t offset = character - kFirstSupplementaryCharacter;
  return SurrogatePair{static_cast<char16_t>(kFirstHighSurrogate + (offset >> kSurrogateBits)),
                       static_cast<char16_t>(kFirstLowSurrogate + (offset & kSurrogateMask))};
}

}  // namespace zul
