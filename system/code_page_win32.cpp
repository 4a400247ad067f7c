#include "system/code_page_win32.h"

#include <windows.h>

#include <array>
#include <string>

#include "base/unicode.h"

namespace zul {

namespace {

// Whether one UTF-16 unit read from the system is a character of its own here: not
// a C1 control, not half of a pair.
bool IsSingleCharacter(wchar_t unit) { return !IsC1Control(unit) && !IsSurrogate(unit); }

class WindowsCodePageImpl : public CodePage {
 public:
  WindowsCodePageImpl(UINT number, UINT longest) : number_(number), longest_(longest) {
    for (int b = 1; b < 256; ++b) {
      const char byte = static_cast<char>(b);
      wchar_t unit = 0;
      if (MultiByteToWideChar(number_, MB_ERR_INVALID_CHARS, &byte, 1, &unit, 1) == 1 && IsSingleCharacter(unit))
        single_[static_cast<std::size_t>(b)] = unit;
    }
  }

  // A byte that spells a character alone is read from the table; any other starts a
  // longer sequence, tried by length up to the code page's longest.
  Spelled Decode(std::string_view bytes) const override {
    const auto lead = static_cast<uint8_t>(bytes[0]);
    if (lead == 0 || single_[lead] != 0) return Spelled{single_[lead], 1};
    for (std::size_t length = 2; length <= longest_ && length <= bytes.size(); ++length) {
      std::array<wchar_t, 2> units{};
      const int count = MultiByteToWideChar(number_, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(length),
                                            units.data(), static_cast<int>(units.size()));
      if (count == 1 && IsSingleCharacter(units[0])) return Spelled{units[0], length};
      if (count == 2 && IsHighSurrogate(units[0]) && IsLowSurrogate(units[1]))
        return Spelled{JoinSurrogates(units[0], units[1]), length};
    }
    return Spelled{};
  }

  bool Encode(char32_t character, std::string& out) const override {
    if (character == 0) {
      out.push_back('\0');
      return true;
    }
    if (IsC1Control(character) || !IsCharacter(character)) return false;
    std::array<wchar_t, 2> units{};
    int count = 1;
    if (character >= kFirstSupplementaryCharacter) {
      const SurrogatePair pair = SplitIntoSurrogates(character);
      units[0] = static_cast<wchar_t>(pair.high);
      units[1] = static_cast<wchar_t>(pair.low);
      count = 2;
    } else {
      units[0] = static_cast<wchar_t>(character);
    }
    std::array<char, 8> bytes{};
    BOOL used_default = FALSE;
    const int length = WideCharToMultiByte(number_, WC_NO_BEST_FIT_CHARS, units.data(), count, bytes.data(),
                                           static_cast<int>(bytes.size()), nullptr, &used_default);
    if (length <= 0 || used_default) return false;
    out.append(bytes.data(), static_cast<std::size_t>(length));
    return true;
  }

 private:
  UINT number_;
  std::size_t longest_;
  std::array<char32_t, 256> single_{};
};

}  // namespace

std::unique_ptr<CodePage> WindowsCodePage(uint32_t number) {
  CPINFO info{};
  if (number == CP_UTF8 || !GetCPInfo(number, &info)) return nullptr;
  return std::make_unique<WindowsCodePageImpl>(number, info.MaxCharSize);
}

}  // namespace zul
