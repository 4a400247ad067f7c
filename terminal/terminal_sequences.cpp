#include "terminal/terminal_sequences.h"

namespace zul::vt {

namespace {
constexpr std::string_view kCsiStart = "\x1b[";
constexpr std::string_view kTitleStart = "\x1b]2;";
constexpr std::string_view kTitleEnd = "\x07";
constexpr int kDefaultForeground = 39;
constexpr int kBackgroundOffset = 10;  // a background's code is its foreground's and this
}  // namespace

std::string Csi(int n, char final_byte) {
  std::string s(kCsiStart);
  if (n != 1) s += std::to_string(n);
  s += final_byte;
  return s;
}

std::string CursorPosition(int x, int y) {
  std::string s(kCsiStart);
  if (x == 0) {
    if (y != 0) s += std::to_string(y + 1);
  } else {
    s += std::to_string(y + 1) + ";" + std::to_string(x + 1);
  }
  s += 'H';
  return s;
}

std::string Graphics(std::span<const int> codes) {
  std::string s(kCsiStart);
  for (const int code : codes) {
    if (s.size() > kCsiStart.size()) s += ';';
    s += std::to_string(code);
  }
  s += 'm';
  return s;
}

int ForegroundCode(int colour) {
  if (colour < 0 || colour > 15) return kDefaultForeground;
  const int ansi = ((colour & 1) << 2) | (colour & 2) | ((colour & 4) >> 2);
  return (colour & 8 ? 90 : 30) + ansi;
}

int BackgroundCode(int colour) { return ForegroundCode(colour) + kBackgroundOffset; }

std::string WindowTitle(std::string_view title) {
  std::string s(kTitleStart);
  s += title;
  s += kTitleEnd;
  return s;
}

}  // namespace zul::vt
