// Upper-casing a text by letter in the run's code page, the one rule by which names
// are compared: each character read, upper-cased with UpperCaseLetter and given back
// as bytes (for the course file table) or, canonically composed first, as characters
// (for the list box's keys and what is typed to find them).
#pragma once

#include <string>
#include <string_view>

#include "base/code_page.h"
#include "base/text.h"

namespace zul {

// An ASCII letter a to z as its capital, any other character (or byte) as it is: the
// whole rule where names are ASCII, and the first step of UpperCaseLetter.
template <typename Character>
constexpr Character AsciiCapital(Character character) {
  return character >= 'a' && character <= 'z' ? static_cast<Character>(character - 0x20) : character;
}

// The capital a letter is upper-cased to wherever names are compared by letter (the
// chooser's names, what is typed to find them): a to z, a o u with diaeresis, e with
// acute, n with tilde, a with ring and c with cedilla; any other character as it is.
char32_t UpperCaseLetter(char32_t character);

// `text` upper-cased, as bytes of the same code page: a to z and the seven letters
// a-umlaut, o-umlaut, u-umlaut, e-acute, n-tilde, a-ring and c-cedilla become their
// capitals, spelled in that code page (under code pages 437 and 850 the bytes 0x84,
// 0x94, 0x81, 0x82, 0xA4, 0x86, 0x87 become 0x8E, 0x99, 0x9A, 0x90, 0xA5, 0x8F,
// 0x80). Every other character, a capital the code page cannot spell, and every byte
// that spells none, stays as it is; no locale is read.
Text UpperCasedText(std::string_view text, const CodePage& code_page);

// `characters` as names are compared by: canonically composed (Composed), then each
// as its capital (UpperCaseLetter), so that a letter typed or stored as one character
// and the same letter spelled with combining marks give the same characters. Composing
// comes first: a with a combining grave is a-grave, which no capital replaces.
std::u32string UpperCasedCharacters(std::u32string_view characters);

// `text`'s characters, each byte that spells none as its stand-in (which nothing
// composes with), composed and upper-cased as above.
std::u32string UpperCasedCharacters(std::string_view text, const CodePage& code_page);

}  // namespace zul
