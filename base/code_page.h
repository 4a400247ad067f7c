// How the program's texts spell characters. A text stays bytes everywhere; the code
// page of a run tells the few places that need characters (the console device, the
// dialogs, the upper-casing of names) which character the bytes at a place spell, and
// which bytes spell a character typed. One code page holds for the whole run: UTF-8 on
// a terminal, the code page of the file calls on a Windows console.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/unicode.h"

namespace zul {

// A character read from a text and how many bytes spell it; length 0 (and character 0)
// when the bytes spell none (a byte the code page does not use, a sequence malformed or
// cut short).
struct Spelled {
  char32_t character = 0;
  std::size_t length = 0;
};

class CodePage {
 public:
  virtual ~CodePage() = default;
  // The character that the bytes at the start of `bytes`, which is not empty, spell.
  virtual Spelled Decode(std::string_view bytes) const = 0;
  // Appends the bytes that spell `character`; false, appending nothing, when none do.
  virtual bool Encode(char32_t character, std::string& out) const = 0;
};

// One piece of a text as it is read: the bytes of one character and the character,
// or (`spelled` false, character 0) one byte that spells none.
struct TextPiece {
  std::string_view bytes;
  bool spelled = false;
  char32_t character = 0;
};

// Hands `take` each piece of `text` in order, read in `code_page`: where bytes spell
// no character, the first of them alone, and reading goes on at the next. A byte below
// 0x80 where a character starts is read as that ASCII character without asking the
// code page: every code page a run may have spells ASCII so (their lead bytes lie above it).
template <typename Take>
void ForEachCharacter(std::string_view text, const CodePage& code_page, Take&& take) {
  for (std::size_t at = 0; at < text.size();) {
    const auto byte = static_cast<unsigned char>(text[at]);
    const Spelled spelled = byte < 0x80 ? Spelled{byte, 1} : code_page.Decode(text.substr(at));
    const std::size_t length = spelled.length == 0 ? 1 : spelled.length;
    take(TextPiece{text.substr(at, length), spelled.length != 0, spelled.character});
    at += length;
  }
}

// The character that stands for a byte that spells none among a text's characters:
// a lone low surrogate, U+DC00 + the byte, which no character read can be.
constexpr char32_t UnspelledByteStandIn(uint8_t byte) { return kFirstLowSurrogate + byte; }

// `text`'s characters as ForEachCharacter reads them in `code_page`, each byte that
// spells none as its stand-in: one for each piece, so that a text with such bytes still
// compares as itself, and two texts with different such bytes as different.
std::u32string CharactersWithStandIns(std::string_view text, const CodePage& code_page);

// UTF-8 as the standard has it: no overlong forms, no surrogates, nothing above
// U+10FFFF. The C1 control characters (U+0080 to U+009F) count as spelled by nothing,
// so that no terminal ever takes one of them for a command.
const CodePage& Utf8CodePage();

// How the bytes at the start of `bytes` (not empty) read as UTF-8: a whole character
// of `length` bytes; the start of one cut short, which more bytes may complete; or
// `length` bytes that begin none, up to the first one that cannot continue the
// character (which may begin the next). C1 control characters are whole here.
struct Utf8Read {
  enum class Kind { kWhole, kCutShort, kInvalid };
  Kind kind = Kind::kInvalid;
  char32_t character = 0;
  std::size_t length = 1;
};
Utf8Read ReadUtf8(std::string_view bytes);

// A code page of one byte per character, from the character of each byte (0 where a
// byte spells none; byte 0 always spells U+0000).
class SingleByteCodePage : public CodePage {
 public:
  explicit SingleByteCodePage(const std::array<char32_t, 256>& characters) : characters_(characters) {}
  Spelled Decode(std::string_view bytes) const override;
  bool Encode(char32_t character, std::string& out) const override;

 private:
  std::array<char32_t, 256> characters_;
};

// Code page 437, the original console code page: ASCII, then the accented letters,
// box drawing and Greek of the console's upper half.
const CodePage& Cp437CodePage();

// Appends `character` in UTF-8 (a surrogate or a value above U+10FFFF as U+FFFD).
void AppendUtf8(char32_t character, std::string& out);

}  // namespace zul
