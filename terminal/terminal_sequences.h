// Every control sequence this program sends to a terminal, in one place and
// spelled one way: the fixed ones as strings, those that carry numbers made by
// the functions below. xterm's sequences, which the terminals in use share.
// The presenter draws with them; the session gives the terminal back with
// kRestoreModes.
#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace zul::vt {

// Modes: autowrap at the last column, the cursor shown, mouse tracking of presses
// and releases (1000) reported as SGR sequences (1006), and pastes bracketed (2004).
constexpr std::string_view kAutowrapOff = "\x1b[?7l";
constexpr std::string_view kAutowrapOn = "\x1b[?7h";
constexpr std::string_view kCursorShow = "\x1b[?25h";
constexpr std::string_view kCursorHide = "\x1b[?25l";
constexpr std::string_view kMouseOn = "\x1b[?1000h\x1b[?1006h";
constexpr std::string_view kMouseOff = "\x1b[?1000l\x1b[?1006l";
constexpr std::string_view kBracketedPasteOn = "\x1b[?2004h";
constexpr std::string_view kBracketedPasteOff = "\x1b[?2004l";

// Erasing in the current background: the whole screen, or from the cursor to
// the end of its row.
constexpr std::string_view kEraseScreen = "\x1b[2J";
constexpr std::string_view kEraseToLineEnd = "\x1b[K";

// The terminal's own colours, every other attribute off.
constexpr std::string_view kDefaultColours = "\x1b[0m";

// One-row cursor moves: down in the same column, up in the same column, and to
// the next row's first column. Each scrolls at the terminal's edge. (The letter
// stands apart from the escape, which would otherwise take D and E as hex digits.)
// clang-format off
constexpr std::string_view kIndex = "\x1b" "D";
constexpr std::string_view kReverseIndex = "\x1b" "M";
constexpr std::string_view kNextLine = "\x1b" "E";
// clang-format on

// The strings `Texts` one after the other, joined while compiling into bytes that last
// as long as the program.
template <const std::string_view&... Texts>
struct Joined {
  static constexpr auto kBytes = [] {
    std::array<char, (Texts.size() + ...)> bytes{};
    std::size_t at = 0;
    for (const std::string_view text : {Texts...})
      for (const char byte : text) bytes[at++] = byte;
    return bytes;
  }();
  static constexpr std::string_view kText{kBytes.data(), kBytes.size()};
};

// What any terminal must be given to be usable again, whatever was sent before. Fixed
// bytes, so that a signal handler may write them.
constexpr std::string_view kRestoreModes =
    Joined<kMouseOff, kBracketedPasteOff, kAutowrapOn, kDefaultColours, kCursorShow>::kText;

// "ESC [ n final", n left out when it is 1: with A or B the cursor moves n rows
// up or down, with C or D n columns forward or back, with G to column n; with X
// n cells from the cursor are erased.
std::string Csi(int n, char final_byte);

// The cursor to column x, row y, counted from 0 at the top left: the column
// left out when it is the first, and the row too when both are.
std::string CursorPosition(int x, int y);

// Select graphic rendition: "ESC [ codes m", the codes separated by ';'.
std::string Graphics(std::span<const int> codes);

// The graphics codes of console colour `colour` (0-15: blue 1, green 2, red 4,
// bright 8) as a foreground and as a background; for any other value, the
// terminal's own colour.
int ForegroundCode(int colour);
int BackgroundCode(int colour);

// The window title set to `title`, which must hold no control bytes.
std::string WindowTitle(std::string_view title);

}  // namespace zul::vt
