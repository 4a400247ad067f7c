// The three palettes a person may see the sixteen console colours in (xterm's
// default, Windows Terminal's Campbell, the legacy Windows console) and the WCAG
// contrast between two colours of one. Test support only.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace zul::testing {

struct Rgb {
  uint8_t r, g, b;
};

struct Palette {
  std::string name;
  std::array<Rgb, 16> ansi;  // by ANSI index: 0-7 then the bright 8-15
};

const std::array<Palette, 3>& Palettes();

// The contrast ratio, 1 to 21, of console colours `a` and `b` (0-15, the console's
// own numbers: blue 1, red 4) in `palette`.
double ContrastRatio(const Palette& palette, int a, int b);

}  // namespace zul::testing
