// The list box at its edges: keys that arrive in an unusual shape, clicks while
// the filter has the keys or beside the names, the scroll bar's track, a box at
// an asked corner, and windows so small that rows lose parts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/dialog_style.h"
#include "dialogs/list_box.h"
#include "tests/support/events.h"
#include "tests/support/row_text.h"
#include "tests/support/watched_console.h"

namespace zul {
namespace {

using namespace zul::testing;
using Names = std::vector<Text>;

const Names kThree = {"A.ZUL", "B.ZUL", "C.ZUL"};

Text Show(WatchedConsole& console, const Names& names, int32_t left = 0, int32_t top = 0) {
  return RunListBox(console, Utf8CodePage(), SystemClock(), left, top, "HEADING", "hint", names, true, 0);
}

TEST(ListBoxEdges, KeysInTheirLessUsualShapes) {
  struct Case {
    const char* what;
    std::vector<InputEvent> events;
    Text answer;
  };
  const std::vector<Case> cases = {
      {"Ctrl+C in the filter field cancels", {Key(0, '/'), Key(0, U'a'), CtrlC(), Enter(), Enter()}, ""},
      {"an empty paste leaves the list the keys", {Paste(U""), Key(vk::kDown), Enter()}, "B.ZUL"},
      {"a tab typed without its key closes the field",
       {Key(0, '/'), Key(0, U'c'), Key(0, U'\t'), Enter()},
       "C.ZUL"},
      {"a space typed without its key marks", {Key(0, U' '), Key(vk::kDown), Enter()}, "A.ZUL"},
      {"keys the list has no use for do nothing",
       {Key(vk::kF1), Key(vk::kInsert), Key(vk::kDown), Enter()},
       "B.ZUL"},
  };
  for (const Case& c : cases) {
    WatchedConsole console;
    for (const InputEvent& event : c.events) console.PushInput(event);
    EXPECT_EQ(Show(console, kThree), c.answer) << c.what;
  }
}

TEST(ListBoxEdges, ClicksWhileFilteringBesideTheNamesAndOnTheTrack) {
  const Names names = []() {
    Names numbered;
    for (int i = 1; i <= 100; ++i) numbered.push_back("N" + std::to_string(i) + ".ZUL");
    return numbered;
  }();
  WatchedConsole probe;
  Show(probe, names);
  const Coord first = Find(*probe.open, "N1.ZUL");
  const Coord up = Find(*probe.open, "\u25B2"), down = Find(*probe.open, "\u25BC");
  ASSERT_TRUE(first.y >= 0 && up.y == first.y && down.y > up.y + 4);
  const int rows = down.y - up.y + 1;
  WatchedConsole few_probe;
  Show(few_probe, kThree);
  const Coord b = Find(*few_probe.open, "B.ZUL");

  struct Case {
    const char* what;
    const Names& names;
    std::vector<InputEvent> events;
    Text answer;
  };
  const std::vector<Case> cases = {
      // The click gives the list the keys back: Space then unmarks B.
      {"a click while filtering", kThree, {Key(0, '/'), Click(b.x, b.y), Key(vk::kSpace, ' '), Enter()}, "B.ZUL"},
      {"a click below the last name", kThree, {Click(b.x, b.y + 3), Enter()}, "A.ZUL"},
      {"the arrow up undoes the arrow down",
       names,
       {Click(down.x, down.y), Click(down.x, down.y), Click(up.x, up.y), Click(first.x, first.y), Enter()},
       names[1]},
      {"the track below the thumb scrolls a page", names, {Click(down.x, down.y - 1), Enter()}, names[rows]},
      {"the track above the thumb scrolls a page back",
       names,
       {Key(vk::kEnd), Click(up.x, up.y + 1), Enter()},
       names[100 - rows - 1]},
  };
  for (const Case& c : cases) {
    WatchedConsole console;
    for (const InputEvent& event : c.events) console.PushInput(event);
    EXPECT_EQ(Show(console, c.names), c.answer) << c.what;
  }
}

// Asked for the corner at column 5, row 3 (from 1), the box's frame starts there.
TEST(ListBoxEdges, StandsAtTheAskedCorner) {
  WatchedConsole console;
  Show(console, kThree, 5, 3);
  ASSERT_TRUE(console.open);
  EXPECT_EQ(console.open->At({4, 2}).character, dialog_style::kTopLeft);
  EXPECT_EQ(console.open->At({3, 2}).character, U' ');
}

// Rows of one to three cells keep the pointer first, then the mark, then the
// name's first cells: a row of one shows a marked name's check when it is not
// highlighted, of three no blank before the name.
TEST(ListBoxEdges, NarrowRowsKeepThePointerThenTheMark) {
  struct Case {
    int16_t width;
    std::vector<std::string> rows;  // A marked, B highlighted, C neither
  };
  const Case cases[] = {
      {1, {"\u221A", "\u25BA", " "}},
      {2, {" \u221A", "\u25BA ", "  "}},
      {3, {" \u221AA", "\u25BA B", "  C"}},
      {4, {" \u221A A", "\u25BA  B", "   C"}},
  };
  for (const Case& c : cases) {
    WatchedConsole console({c.width, 10}, {c.width, 10});
    Push(console, Key(vk::kSpace, ' '), Key(vk::kDown));
    Show(console, kThree);
    ASSERT_TRUE(console.open);
    std::vector<std::string> shown;
    for (int y = 0; y < 10 && shown.size() < 3; ++y)
      if (console.open->At({0, static_cast<int16_t>(y)}).attribute != dialog_style::kTitle &&
          console.open->At({0, static_cast<int16_t>(y)}).attribute != dialog_style::kHint &&
          console.open->At({0, static_cast<int16_t>(y)}).attribute != dialog_style::kBox)
        shown.push_back(testing::RowText(*console.open, y));
    EXPECT_EQ(shown, c.rows) << c.width;
  }
}

// A window too short for the key row opens the filter on the status line; back
// in the list, the status line shows the count again, the same as before or not.
TEST(ListBoxEdges, AFilterOnTheStatusLineGivesItBack) {
  WatchedConsole console({40, 7}, {40, 7});
  Push(console, Key(0, '/'), Enter(), Key(0, '/'), Typed("b"), Enter());
  Show(console, kThree);
  ASSERT_EQ(console.seen.size(), 6u);
  EXPECT_NE(Find(console.seen[1], "Filter:").y, -1);
  EXPECT_EQ(Find(console.seen[2], "Filter:").y, -1);
  EXPECT_NE(Find(console.seen[2], "1-1 of 3").y, -1);
  EXPECT_NE(Find(console.seen[4], "Filter: b").y, -1);
  EXPECT_EQ(Find(console.seen[5], "Filter:").y, -1);
  EXPECT_NE(Find(console.seen[5], "1 of 3 shown").y, -1);
}

}  // namespace
}  // namespace zul
