#include "tests/support/palettes.h"

#include <algorithm>
#include <cmath>

namespace zul::testing {

const std::array<Palette, 3>& Palettes() {
  static const std::array<Palette, 3> kPalettes = {{
      {"xterm",
       {{{0, 0, 0},
         {205, 0, 0},
         {0, 205, 0},
         {205, 205, 0},
         {0, 0, 238},
         {205, 0, 205},
         {0, 205, 205},
         {229, 229, 229},
         {127, 127, 127},
         {255, 0, 0},
         {0, 255, 0},
         {255, 255, 0},
         {92, 92, 255},
         {255, 0, 255},
         {0, 255, 255},
         {255, 255, 255}}}},
      {"Campbell",
       {{{12, 12, 12},
         {197, 15, 31},
         {19, 161, 14},
         {193, 156, 0},
         {0, 55, 218},
         {136, 23, 152},
         {58, 150, 221},
         {204, 204, 204},
         {118, 118, 118},
         {231, 72, 86},
         {22, 198, 12},
         {249, 241, 165},
         {59, 120, 255},
         {180, 0, 158},
         {97, 214, 214},
         {242, 242, 242}}}},
      {"legacy console",
       {{{0, 0, 0},
         {128, 0, 0},
         {0, 128, 0},
         {128, 128, 0},
         {0, 0, 128},
         {128, 0, 128},
         {0, 128, 128},
         {192, 192, 192},
         {128, 128, 128},
         {255, 0, 0},
         {0, 255, 0},
         {255, 255, 0},
         {0, 0, 255},
         {255, 0, 255},
         {0, 255, 255},
         {255, 255, 255}}}},
  }};
  return kPalettes;
}

namespace {

// Console colour c (blue 1, green 2, red 4, bright 8) as an ANSI index (red 1, blue 4).
int AnsiIndex(int colour) { return ((colour & 1) << 2) | (colour & 2) | ((colour & 4) >> 2) | (colour & 8); }

double Luminance(Rgb rgb) {
  auto channel = [](uint8_t value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(rgb.r) + 0.7152 * channel(rgb.g) + 0.0722 * channel(rgb.b);
}

}  // namespace

double ContrastRatio(const Palette& palette, int a, int b) {
  const double la = Luminance(palette.ansi[static_cast<std::size_t>(AnsiIndex(a))]);
  const double lb = Luminance(palette.ansi[static_cast<std::size_t>(AnsiIndex(b))]);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace zul::testing
