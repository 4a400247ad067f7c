// The sixteen colours of a console cell, by name, and the attribute that a
// foreground and a background make. The numbers are the console's own: blue 1,
// green 2 and red 4 mixed, and 8 for the bright half.
#pragma once

#include <cstdint>

namespace zul::colour {

constexpr int kBlack = 0;
constexpr int kBlue = 1;
constexpr int kGreen = 2;
constexpr int kCyan = 3;
constexpr int kRed = 4;
constexpr int kMagenta = 5;
constexpr int kBrown = 6;
constexpr int kLightGrey = 7;
constexpr int kDarkGrey = 8;
constexpr int kLightBlue = 9;
constexpr int kLightGreen = 10;
constexpr int kLightCyan = 11;
constexpr int kLightRed = 12;
constexpr int kLightMagenta = 13;
constexpr int kYellow = 14;
constexpr int kBrightWhite = 15;

// A cell's attribute: `foreground` on `background`, each one of the sixteen.
constexpr uint16_t Attribute(int foreground, int background) {
  return static_cast<uint16_t>(background * 16 + foreground);
}

// The foreground and the background colour an attribute shows: the inverse of
// Attribute (bits above the two colours are left out).
constexpr int Foreground(uint16_t attribute) { return attribute & 0x0F; }
constexpr int Background(uint16_t attribute) { return (attribute >> 4) & 0x0F; }

// The attribute of a new console, its cells and its character stream: light grey
// on black.
constexpr uint16_t kDefaultAttribute = Attribute(kLightGrey, kBlack);

}  // namespace zul::colour
