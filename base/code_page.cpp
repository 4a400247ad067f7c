#include "base/code_page.h"

#include <cstdint>

#include "base/cp437.h"
#include "base/unicode.h"

namespace zul {

namespace {

class Utf8 : public CodePage {
 public:
  Spelled Decode(std::string_view bytes) const override;
  bool Encode(char32_t character, std::string& out) const override;
};

Spelled Utf8::Decode(std::string_view bytes) const {
  const Utf8Read read = ReadUtf8(bytes);
  if (read.kind != Utf8Read::Kind::kWhole || IsC1Control(read.character)) return Spelled{};
  return Spelled{read.character, read.length};
}

bool Utf8::Encode(char32_t character, std::string& out) const {
  if (IsC1Control(character) || !IsCharacter(character)) return false;
  AppendUtf8(character, out);
  return true;
}

// Code page 437: the control characters and ASCII below 0x80, DEL at 0x7F, the
// glyphs above.
std::array<char32_t, 256> Cp437Characters() {
  std::array<char32_t, 256> characters{};
  for (int b = 0; b < 256; ++b)
    characters[static_cast<std::size_t>(b)] =
        b < 0x20 || b == 0x7F ? char32_t(b) : Cp437Glyph(static_cast<uint8_t>(b));
  return characters;
}

}  // namespace

// The lead byte gives the length and the range the second byte must lie in, which
// rules out overlong forms, surrogates and values above U+10FFFF.
Utf8Read ReadUtf8(std::string_view bytes) {
  using Kind = Utf8Read::Kind;
  const auto lead = static_cast<uint8_t>(bytes[0]);
  if (lead < 0x80) return Utf8Read{Kind::kWhole, lead, 1};
  std::size_t length = 0;
  char32_t character = 0;
  uint8_t low = 0x80;
  uint8_t high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    character = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    character = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    character = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return Utf8Read{Kind::kInvalid, 0, 1};
  }
  for (std::size_t i = 1; i < length; ++i) {
    if (i >= bytes.size()) return Utf8Read{Kind::kCutShort, 0, i};
    const auto byte = static_cast<uint8_t>(bytes[i]);
    if (byte < (i == 1 ? low : 0x80) || byte > (i == 1 ? high : 0xBF)) return Utf8Read{Kind::kInvalid, 0, i};
    character = (character << 6) | (byte & 0x3F);
  }
  return Utf8Read{Kind::kWhole, character, length};
}

const CodePage& Utf8CodePage() {
  static const Utf8 kUtf8;
  return kUtf8;
}

Spelled SingleByteCodePage::Decode(std::string_view bytes) const {
  const auto byte = static_cast<uint8_t>(bytes[0]);
  const char32_t character = characters_[byte];
  if (character == 0 && byte != 0) return Spelled{};
  return Spelled{character, 1};
}

bool SingleByteCodePage::Encode(char32_t character, std::string& out) const {
  if (character == 0) {
    out.push_back('\0');
    return true;
  }
  for (std::size_t b = 1; b < characters_.size(); ++b) {
    if (characters_[b] == character) {
      out.push_back(static_cast<char>(b));
      return true;
    }
  }
  return false;
}

const CodePage& Cp437CodePage() {
  static const SingleByteCodePage kCp437(Cp437Characters());
  return kCp437;
}

std::u32string CharactersWithStandIns(std::string_view text, const CodePage& code_page) {
  std::u32string characters;
  characters.reserve(text.size());
  ForEachCharacter(text, code_page, [&](const TextPiece& piece) {
    characters.push_back(piece.spelled ? piece.character
                                       : UnspelledByteStandIn(static_cast<uint8_t>(piece.bytes[0])));
  });
  return characters;
}

void AppendUtf8(char32_t character, std::string& out) {
  if (!IsCharacter(character)) character = kReplacementCharacter;
  if (character < 0x80) {
    out.push_back(static_cast<char>(character));
  } else if (character < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (character >> 6)));
    out.push_back(static_cast<char>(0x80 | (character & 0x3F)));
  } else if (character < kFirstSupplementaryCharacter) {
    out.push_back(static_cast<char>(0xE0 | (character >> 12)));
    out.push_back(static_cast<char>(0x80 | ((character >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (character & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (character >> 18)));
    out.push_back(static_cast<char>(0x80 | ((character >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((character >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (character & 0x3F)));
  }
}

}  // namespace zul
