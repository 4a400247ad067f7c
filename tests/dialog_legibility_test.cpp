// Every glyph the dialogs draw can be read in each palette a person may see them in:
// text at 4.5 : 1 against its cell, frames, bars and markers at 3 : 1.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "device/console_colours.h"
#include "dialogs/dialog_style.h"
#include "dialogs/input_box.h"
#include "dialogs/list_box.h"
#include "tests/support/events.h"
#include "tests/support/paced_console.h"
#include "tests/support/palettes.h"
#include "tests/support/watched_console.h"

namespace zul {
namespace {

using namespace zul::testing;
using dialog_style::Drawn;

constexpr double kText = 4.5;
constexpr double kSigns = 3.0;

// The least contrast every palette gives `attribute`.
double LeastContrast(uint16_t attribute) {
  double least = 21;
  for (const Palette& palette : Palettes())
    least = std::min(least, ContrastRatio(palette, colour::Foreground(attribute), colour::Background(attribute)));
  return least;
}

TEST(DialogLegibility, EachColourOfTheStyleReadsInEveryPalette) {
  for (const dialog_style::Use& use : dialog_style::kColours) {
    if (use.drawn == Drawn::kShadow) continue;
    const double needed = use.drawn == Drawn::kText ? kText : kSigns;
    for (const Palette& palette : Palettes()) {
      const double ratio =
          ContrastRatio(palette, colour::Foreground(use.attribute), colour::Background(use.attribute));
      EXPECT_GE(ratio, needed) << "attribute 0x" << std::hex << use.attribute << " in the " << palette.name
                               << " palette";
    }
  }
}

// The contrast a cell's glyph needs: none for a blank, the signs' for frames, bars,
// arrows and markers, the text's for every other glyph.
double Needed(const Cell& cell) {
  using namespace dialog_style;
  const char32_t c = cell.character;
  if (c == U' ' || c == U'\u00A0') return 0;
  if ((c >= kHorizontal && c <= U'\u256C') || c == kPointerSign || c == kMoreLeft || c == kArrowUp ||
      c == kArrowDown || c == kScrollTrack || c == kScrollThumb || c == kMarkSign)
    return kSigns;
  return kText;
}

// Fails, naming the first, when a cell of `screen` cannot be read; the shadow,
// over what lies beside the box, is not meant to be.
void ExpectLegible(const VirtualConsole& screen, const std::string& what) {
  int unreadable = 0;
  std::string first;
  for (int16_t y = 0; y < screen.Size().y; ++y)
    for (int16_t x = 0; x < screen.Size().x; ++x) {
      const Cell& cell = screen.At({x, y});
      if (cell.attribute == dialog_style::kShadow) continue;
      const double needed = Needed(cell);
      if (needed == 0 || LeastContrast(cell.attribute) >= needed) continue;
      if (unreadable++ == 0) {
        char line[96];
        std::snprintf(line, sizeof line, "U+%04X in 0x%02X at %d,%d reads at %.2f : 1",
                      static_cast<unsigned>(cell.character), cell.attribute, x, y, LeastContrast(cell.attribute));
        first = line;
      }
    }
  EXPECT_EQ(unreadable, 0) << what << ", the first: " << first;
}

// Both dialogs drawn over a blank screen in every state that shows another glyph or
// colour: the field running on beyond both edges, names marked, the highlight on a
// marked name, the filter field open, no name matching, a scroll bar, a short window.
TEST(DialogLegibility, EveryCellOfBothDialogsReadsInEveryPalette) {
  WatchedConsole input({80, 30}, {80, 30});
  Push(input, Typed(std::string(60, 'w') + "\u00E9\u65E5"), Key(vk::kLeft), Key(vk::kHome), Key(vk::kRight),
       Enter());
  RunInputBox(input, Utf8CodePage(), SystemClock(), 40, 15, "Change default directory? ", "<Cancel> keeps it", "",
              100);
  for (std::size_t i = 0; i < input.seen.size(); ++i)
    ExpectLegible(input.seen[i], "input box " + std::to_string(i));

  // The note under the field in each of its looks: looking, found, and not found.
  auto folders = std::make_shared<FakeFolders>();
  folders->findings = {{"/f", FolderSource::Finding::kFolder}, {"/x", FolderSource::Finding::kFile}};
  PacedConsole noted;
  const PacedConsole::Pause pause{kTypingPauseMs};
  noted.Script(Typed("/f"), pause, PacedConsole::Settle{}, Key(vk::kBack), Typed("x"), pause,
               PacedConsole::Settle{}, Key(vk::kTab, U'\t'), PacedConsole::Settle{});
  RunInputBox(noted, Utf8CodePage(), noted.clock, 40, 15, "Change default directory? ", "<Cancel> keeps it", "",
              100, folders);
  for (std::size_t i = 0; i < noted.seen.size(); ++i) ExpectLegible(noted.seen[i], "note " + std::to_string(i));

  std::vector<Text> names;
  for (int i = 1; i <= 60; ++i) names.push_back("COURSE" + std::to_string(i) + ".ZUL");
  const InputEvent space = Key(vk::kSpace, ' '), down = Key(vk::kDown);
  for (const Coord size : {Coord{80, 30}, Coord{30, 8}}) {
    WatchedConsole list(size, size);
    Push(list, space, down, space, Key(0, '/'), Typed("1"), Key(vk::kTab), Key(0, '/'), Typed("x"), Key(vk::kTab),
         Esc(), Esc());
    RunListBox(list, Utf8CodePage(), SystemClock(), 0, 0, "C:\\COURSES", " <ctl> click for mult. selection", names,
               true, 0);
    for (std::size_t i = 0; i < list.seen.size(); ++i)
      ExpectLegible(list.seen[i], "list box " + std::to_string(i));
  }
}

}  // namespace
}  // namespace zul
