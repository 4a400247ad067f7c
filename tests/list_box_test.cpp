#include "dialogs/list_box.h"

#include <gtest/gtest.h>

#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "console/console_tools_adapter.h"
#include "consoletools/console_tools_library.h"
#include "dialogs/dialog_style.h"
#include "terminal/terminal_presenter.h"
#include "tests/support/events.h"
#include "tests/support/manual_clock.h"
#include "tests/support/row_text.h"
#include "tests/support/terminal_replay.h"
#include "tests/support/watched_console.h"

namespace zul {
namespace {

using namespace zul::testing;
using Names = std::vector<Text>;

const Text kHint = " <ctl> click for mult. selection";

// Runs the list box over `names` with the chooser's placement and hint.
Text Show(WatchedConsole& console, const Names& names, bool multiple = true, int first_shown = 0,
          const Text& heading = "C:\\COURSES", MonotonicClock& clock = SystemClock()) {
  return RunListBox(console, Utf8CodePage(), clock, 0, 0, heading, kHint, names, multiple, first_shown);
}

// Runs the list box as the chooser calls the library: `entries` are entries 1 on of a
// list table, crossing as a list descriptor.
Text ShowTable(ConsoleDevice& console, const Names& entries, int32_t multiple = 1, int32_t sorted = 0,
               int32_t first_shown = 0, const Text& heading = "C:\\COURSES") {
  auto table = std::make_unique<ListTable>();
  for (std::size_t i = 0; i < entries.size(); ++i) (*table)[static_cast<int>(i) + 1] = entries[i];
  auto decorations = OpenWindowDecorations();
  ConsoleToolsLibrary library(console, *decorations, Utf8CodePage(), SystemClock());
  return ConsoleToolsAdapter(library).ConsoleListBox(3, 0, 0, heading, kHint, *table, sorted, multiple,
                                                     first_shown);
}

// The rows that show the pointer, the sign of the highlighted name.
std::vector<int> PointerRows(const VirtualConsole& console) {
  std::vector<int> rows;
  for (int y = 0; y < console.Size().y; ++y)
    for (int16_t x = 0; x < console.Size().x; ++x) {
      const Cell cell = console.At({x, static_cast<int16_t>(y)});
      if (cell.character == dialog_style::kPointerSign && cell.attribute == dialog_style::kHighlight)
        rows.push_back(y);
    }
  return rows;
}

Names Numbered(int count, std::size_t length = 8) {
  Names names;
  for (int i = 1; i <= count; ++i) {
    Text name = "N" + std::to_string(i) + ".ZUL";
    name.resize(std::max(length, name.size()), 'x');
    names.push_back(name);
  }
  return names;
}

const Names kThree = {"A.ZUL", "B.ZUL", "C.ZUL"};
const InputEvent kDown = Key(vk::kDown), kUp = Key(vk::kUp), kSpace = Key(vk::kSpace, ' ');
const InputEvent kCtrlA = Key('A', 0x01, modifier::kLeftCtrl);

TEST(ListBoxShows, HeadingHintNamesInOrderCounterKeysAndButtons) {
  WatchedConsole console;
  const Text heading = std::string("C:\\K\x0A\xE9RS", 8);
  ShowTable(console, {"A.ZUL", "", "B.ZUL", "", "C.ZUL"}, 1, 0, 0, heading);
  ASSERT_TRUE(console.open);
  const VirtualConsole& view = *console.open;
  EXPECT_NE(Find(view, "C:\\K\u25D9\u0398RS").y, -1);  // a control byte and a stray byte as glyphs
  EXPECT_NE(Find(view, kHint).y, -1);
  const Coord a = Find(view, "A.ZUL"), b = Find(view, "B.ZUL"), c = Find(view, "C.ZUL");
  EXPECT_EQ(b.y, a.y + 1);  // the empty entries are no names
  EXPECT_EQ(c.y, a.y + 2);
  // The pointer left of the first name, and on no other row; the highlighted name
  // in its bar, the others alike.
  EXPECT_EQ(PointerRows(view), std::vector<int>{a.y});
  EXPECT_EQ(view.At({static_cast<int16_t>(a.x - 3), a.y}).character, dialog_style::kPointerSign);
  EXPECT_EQ(view.At(a).attribute, dialog_style::kHighlight);
  for (const Coord name : {b, c}) EXPECT_EQ(view.At(name).attribute, dialog_style::kField);
  EXPECT_NE(Find(view, "0 marked").y, -1);
  EXPECT_NE(Find(view, "1-3 of 3").y, -1);
  EXPECT_NE(Find(view, "Esc cancel").y, -1);
  EXPECT_NE(Find(view, "\u25BA OK \u25C4").y, -1);
  EXPECT_NE(Find(view, "[ Cancel ]").y, -1);
  EXPECT_FALSE(view.CursorShape().visible);
  EXPECT_EQ(console.outside, 0);
}

TEST(ListBoxShows, ChecksTheMarkedNamesMovesThePointerAndCounts) {
  WatchedConsole console;
  Push(console, kSpace, kDown, kDown, kSpace, kUp);
  Show(console, kThree);
  const VirtualConsole& marked = console.seen.at(4);  // A and C marked, C highlighted
  const Coord a = Find(marked, "A.ZUL"), b = Find(marked, "B.ZUL"), c = Find(marked, "C.ZUL");
  auto mark = [&](Coord name) { return marked.At({static_cast<int16_t>(name.x - 2), name.y}); };
  EXPECT_EQ(mark(a), (Cell{dialog_style::kMarkSign, dialog_style::kMarked}));
  EXPECT_EQ(mark(b).character, ' ');
  EXPECT_EQ(mark(c), (Cell{dialog_style::kMarkSign, dialog_style::kHighlight}));  // in the bar
  EXPECT_EQ(PointerRows(marked), std::vector<int>{c.y});
  for (const Coord name : {a, b}) EXPECT_EQ(marked.At(name).attribute, dialog_style::kField);
  EXPECT_EQ(marked.At(c).attribute, dialog_style::kHighlight);
  EXPECT_NE(Find(marked, "2 marked").y, -1);
  // Up: the pointer goes to B alone, the marks stay.
  const VirtualConsole& up = *console.open;
  EXPECT_EQ(PointerRows(up), std::vector<int>{b.y});
  EXPECT_EQ(up.At({static_cast<int16_t>(c.x - 2), c.y}).character, dialog_style::kMarkSign);
  EXPECT_NE(Find(up, "2 marked").y, -1);
}

TEST(ListBoxKeys, AnswerTheMarkedNamesTheHighlightedOneOrNothing) {
  struct Case {
    const char* what;
    std::vector<InputEvent> events;
    Text answer;
  };
  const std::vector<Case> cases = {
      {"two marked", {kSpace, kDown, kDown, kSpace, Enter()}, std::string("A.ZUL\0C.ZUL", 11)},
      {"marked out of order", {kDown, kDown, kSpace, kUp, kUp, kSpace, Enter()}, std::string("A.ZUL\0C.ZUL", 11)},
      {"none marked", {kDown, Enter()}, "B.ZUL"},
      {"unmarked again", {kDown, kSpace, kSpace, kDown, Enter()}, "C.ZUL"},
      {"held at the ends", {kUp, kDown, kDown, kDown, kDown, Enter()}, "C.ZUL"},
      {"Home and End", {Key(vk::kEnd), Enter()}, "C.ZUL"},
      {"Ctrl+A", {kCtrlA, Enter()}, std::string("A.ZUL\0B.ZUL\0C.ZUL", 17)},
      {"Ctrl+A twice", {kCtrlA, kCtrlA, kDown, Enter()}, "B.ZUL"},
      {"Ctrl+A over a mark", {kSpace, kCtrlA, Enter()}, std::string("A.ZUL\0B.ZUL\0C.ZUL", 17)},
      {"Esc", {kSpace, Esc()}, ""},
      {"Ctrl+C", {kSpace, CtrlC()}, ""},
      {"byte 3", {kSpace, Key(0, 0x03)}, ""},
      {"end of input", {kSpace, EndOfInput(), Enter()}, ""},
      {"type-ahead", {Key('C', 'c'), Enter()}, "C.ZUL"},
  };
  for (const Case& c : cases) {
    WatchedConsole console;
    for (const InputEvent& event : c.events) console.PushInput(event);
    EXPECT_EQ(Show(console, kThree), c.answer) << c.what;
  }
}

TEST(ListBoxKeys, TypeAheadFindsTheNextNameInEitherCaseGoingRound) {
  const Names names = {"ALPHA", "beta", "BRAVO", "charlie", "Bingo"};
  const std::vector<std::pair<std::string, Text>> cases = {{"b", "beta"},    {"bb", "BRAVO"},  {"BBB", "Bingo"},
                                                           {"bbbb", "beta"}, {"c", "charlie"}, {"ca", "charlie"},
                                                           {"z", "ALPHA"},   {"bz", "beta"}};
  for (const auto& [typed, answer] : cases) {
    WatchedConsole console;
    Push(console, Typed(typed), Enter());
    EXPECT_EQ(Show(console, names), answer) << typed;
  }
}

// Names as the chooser lists them, upper-cased; typed in lower case, the letters at
// either end of a to z and the seven accented ones find them, by type-ahead and filter.
TEST(ListBoxKeys, SmallLettersTypedFindTheirCapitals) {
  const Names names = {"1.ZUL",        "ALPHA.ZUL",      "\u00C4RGER.ZUL", "\u00C5L.ZUL",    "\u00C7A.ZUL",
                       "\u00C9TE.ZUL", "\u00D1ANDU.ZUL", "\u00D6L.ZUL",    "\u00DCBUNG.ZUL", "ZEBRA.ZUL"};
  const std::vector<std::pair<std::string, Text>> cases = {
      {"a", "ALPHA.ZUL"},
      {"z", "ZEBRA.ZUL"},
      {"\u00E4", "\u00C4RGER.ZUL"},
      {"\u00E5", "\u00C5L.ZUL"},
      {"\u00E7", "\u00C7A.ZUL"},
      {"\u00E9", "\u00C9TE.ZUL"},
      {"\u00F1", "\u00D1ANDU.ZUL"},
      {"\u00F6", "\u00D6L.ZUL"},
      {"\u00FC", "\u00DCBUNG.ZUL"},
      {"/z", "ZEBRA.ZUL"},
      {"/\u00FC", "\u00DCBUNG.ZUL"},
      {"/\u00F1", "\u00D1ANDU.ZUL"},
  };
  for (const auto& [typed, answer] : cases) {
    WatchedConsole console;
    Push(console, Typed(typed), Enter(), Enter());
    EXPECT_EQ(Show(console, names), answer) << typed;
  }
}

TEST(ListBoxKeys, PagesThroughAThousandLongNames) {
  const Names names = Numbered(1000, 255);
  WatchedConsole console;
  Push(console, Key(vk::kEnd));
  Show(console, names);
  EXPECT_NE(Find(*console.open, "N1000.ZULxxx").y, -1);
  EXPECT_EQ(Find(*console.open, "N1.ZULxxx").y, -1);
  EXPECT_NE(Find(*console.open, "985-1000 of 1000").y, -1);
  EXPECT_EQ(PointerRows(*console.open), std::vector<int>{Find(*console.open, "N1000.ZUL").y});

  // 16 rows fit in 25: PgDn twice, PgUp, Down land on names 33, 17, 18.
  WatchedConsole paged;
  Push(paged, Key(vk::kNext), Key(vk::kNext), Key(vk::kPrior), kDown, Enter());
  EXPECT_EQ(Show(paged, names), names[17]);
  EXPECT_NE(Find(*paged.open, "17-32 of 1000").y, -1);
  EXPECT_EQ(PointerRows(*paged.open), std::vector<int>{Find(*paged.open, "N18.ZUL").y});
  EXPECT_EQ(Find(*paged.open, "N18.ZUL").y, Find(*paged.open, "N17.ZUL").y + 1);
  EXPECT_LT(Find(*paged.open, "N2.ZUL").y, 0);
  EXPECT_EQ(paged.outside, 0);
}

// A pause of `ms` between two keys, as the clock the list box reads sees it.
InputEvent Pause(int ms) { return Key(0, static_cast<char32_t>(ms), 0xFFFFFFFF); }

// A watched console with a clock that moves only at the pauses of its script.
class ClockedConsole : public WatchedConsole {
 public:
  bool ReadInput(InputEvent& event, int timeout_ms) override {
    bool read = WatchedConsole::ReadInput(event, timeout_ms);
    while (read && event.kind == InputEvent::Kind::kKey && event.key.modifiers == 0xFFFFFFFF) {
      clock.Advance(event.key.character);
      read = ScriptedConsole::ReadInput(event, timeout_ms);
    }
    return read;
  }

  ManualClock clock;
};

// The list as the screen shows it: the names of the list rows in order, the
// highlighted one after ">", a marked one followed by "+"; "(none)" when the
// list says that no name matches.
std::string ShownList(const VirtualConsole& screen) {
  std::string shown;
  for (int16_t y = 0; y < screen.Size().y; ++y)
    for (int16_t x = 0;
         x + 3 < screen.Size().x && testing::RowText(screen, y).find(" marked") == std::string::npos; ++x) {
      using namespace dialog_style;
      const Cell pointer = screen.At({x, y}), mark = screen.At({int16_t(x + 1), y});
      const Cell name = screen.At({int16_t(x + 3), y});
      const bool highlighted = pointer.attribute == kHighlight;
      if (pointer.attribute != (highlighted ? kHighlight : kField) ||
          mark.attribute != (highlighted ? kHighlight : kMarked) ||
          screen.At({int16_t(x + 2), y}) != Cell{U' ', highlighted ? kHighlight : kField} ||
          name.attribute != (highlighted ? kHighlight : kField) || name.character == U' ' ||
          pointer.character != (highlighted ? kPointerSign : U' ') ||
          (mark.character != U' ' && mark.character != kMarkSign))
        continue;
      std::string text = testing::RowText(screen, y, x + 3, 20);
      text.erase(text.find_last_not_of(' ') + 1);
      if (!shown.empty()) shown += ' ';
      shown += (pointer.character == dialog_style::kPointerSign ? ">" : "") + text +
               (mark.character == dialog_style::kMarkSign ? "+" : "");
      break;
    }
  if (shown.empty() && Find(screen, "(no name matches").y >= 0) return "(none)";
  return shown;
}

// Keys of ranges, the filter and type-ahead, and what the list shows before the
// last key and answers after it.
TEST(ListBoxFind, RangesFilterAndTypeAheadShowAndAnswer) {
  const Names names = {"ALGEBRA", "ALGO24", "BIO23", "BIO24", "CHEM24", "GEO"};
  const uint32_t shift = modifier::kShift, ctrl = modifier::kLeftCtrl;
  const InputEvent s_down = Key(vk::kDown, 0, shift), s_up = Key(vk::kUp, 0, shift);
  const InputEvent slash = Key(0, '/'), ctrl_f = Key('F', 0x06, ctrl), tab = Key(vk::kTab, 0x09);
  auto z = [](std::initializer_list<const char*> parts) {
    Text text;
    for (const char* part : parts) text += (text.empty() ? "" : std::string(1, '\0')) + part;
    return text;
  };
  struct Case {
    const char* what;
    std::vector<std::vector<InputEvent>> keys;
    std::string shown;  // before the last key
    Text answer;
  };
  const std::vector<Case> cases = {
      {"Shift+Down from the second name",
       {{kDown, s_down, s_down, s_down, Enter()}},
       "ALGEBRA ALGO24+ BIO23+ BIO24+ >CHEM24+ GEO",
       z({"ALGO24", "BIO23", "BIO24", "CHEM24"})},
      {"Shift+Up and Shift+Home past the top",
       {{Key(vk::kEnd), s_up, Key(vk::kHome, 0, shift), s_up, Enter()}},
       ">ALGEBRA+ ALGO24+ BIO23+ BIO24+ CHEM24+ GEO+",
       z({"ALGEBRA", "ALGO24", "BIO23", "BIO24", "CHEM24", "GEO"})},
      {"Shift+End past the end, then back: the range shrinks",
       {{kDown, kDown, Key(vk::kEnd, 0, shift), s_down, s_up, s_up, Enter()}},
       "ALGEBRA ALGO24 BIO23+ >BIO24+ CHEM24 GEO",
       z({"BIO23", "BIO24"})},
      {"Shift+PgUp from the end",
       {{Key(vk::kEnd), Key(vk::kPrior, 0, shift), Enter()}},
       "",
       z({"ALGEBRA", "ALGO24", "BIO23", "BIO24", "CHEM24", "GEO"})},
      {"a range replaces the marks", {{kSpace, Key(vk::kEnd), s_up, Enter()}}, "", z({"CHEM24", "GEO"})},
      {"with Ctrl it adds to them",
       {{kSpace, Key(vk::kEnd), Key(vk::kUp, 0, shift | ctrl), Enter()}},
       "ALGEBRA+ ALGO24 BIO23 BIO24 >CHEM24+ GEO+",
       z({"ALGEBRA", "CHEM24", "GEO"})},
      {"a filter", {{slash}, Typed("24"), {Enter(), Enter()}}, ">ALGO24 BIO24 CHEM24", "ALGO24"},
      {"a paste opens the filter with it", {{Paste(U"24"), Enter(), Enter()}}, ">ALGO24 BIO24 CHEM24", "ALGO24"},
      {"after a paste the keys go to the filter",
       {{Paste(U"bi")}, Typed("o24"), {Enter(), Enter()}},
       ">BIO24",
       "BIO24"},
      {"a paste goes in at the filter's caret",
       {{slash}, Typed("B4"), {Key(vk::kLeft), Paste(U"io2"), Enter(), Enter()}},
       ">BIO24",
       "BIO24"},
      {"wildcards, lower case", {{ctrl_f}, Typed("b?o*4"), {tab, Enter()}}, ">BIO24", "BIO24"},
      {"a star and more", {{slash}, Typed("l*o2"), {kDown, Enter()}}, ">ALGO24", "ALGO24"},
      {"only stars show all",
       {{slash}, Typed("**"), {Enter(), Enter()}},
       ">ALGEBRA ALGO24 BIO23 BIO24 CHEM24 GEO",
       "ALGEBRA"},
      {"control characters are not typed",
       {{slash, Key(0, 0x7F), Key('B', 0x02, ctrl), Key(0, 0x85)}, Typed("GE"), {Enter(), Enter()}},
       ">ALGEBRA GEO",
       "ALGEBRA"},
      {"editing the filter, the highlight kept through no match",
       {{kDown, kDown, slash}, Typed("XB"), {Key(vk::kHome), Key(vk::kDelete), Enter(), Enter()}},
       "ALGEBRA >BIO23 BIO24",
       "BIO23"},
      {"marks outlast the filter",
       {{kSpace, slash}, Typed("BIO"), {Enter(), Key(vk::kEnd), kSpace, Esc(), Enter()}},
       "ALGEBRA+ ALGO24 BIO23 >BIO24+ CHEM24 GEO",
       z({"ALGEBRA", "BIO24"})},
      {"Ctrl+A marks the shown names",
       {{slash}, Typed("24"), {tab, kCtrlA, Esc(), Enter()}},
       "ALGEBRA >ALGO24+ BIO23 BIO24+ CHEM24+ GEO",
       z({"ALGO24", "BIO24", "CHEM24"})},
      {"Ctrl+A twice unmarks the shown only",
       {{kSpace, slash}, Typed("24"), {tab, kCtrlA, kCtrlA, Enter()}},
       ">ALGO24 BIO24 CHEM24",
       "ALGEBRA"},
      {"a range within the filter keeps the hidden marks",
       {{kSpace, slash}, Typed("24"), {Enter(), s_down, s_down, s_down, Esc(), Enter()}},
       "ALGEBRA+ ALGO24+ BIO23 BIO24+ >CHEM24+ GEO",
       z({"ALGEBRA", "ALGO24", "BIO24", "CHEM24"})},
      {"no match shows so and answers the marks",
       {{kSpace, slash}, Typed("XYZ"), {Enter(), Enter()}},
       "(none)",
       "ALGEBRA"},
      {"no match and no marks answer nothing", {{slash}, Typed("XYZ"), {Enter(), kSpace, Enter()}}, "(none)", ""},
      {"Esc in the field clears the filter",
       {{slash}, Typed("GEO"), {Esc(), Enter()}},
       "ALGEBRA ALGO24 BIO23 BIO24 CHEM24 >GEO",
       "GEO"},
      {"Esc clears the filter, a second Esc cancels",
       {{slash}, Typed("GEO"), {Enter(), kSpace, Esc(), Esc()}},
       "ALGEBRA ALGO24 BIO23 BIO24 CHEM24 >GEO+",
       ""},
      {"a prefix", {Typed("algo"), {Enter()}}, "", "ALGO24"},
      {"a longer prefix stays", {Typed("ALGE"), {Enter()}}, "", "ALGEBRA"},
      {"a character again steps", {Typed("bb"), {Enter()}}, "", "BIO24"},
      {"no name with the prefix", {Typed("cg"), {Enter()}}, "", "CHEM24"},
      {"type-ahead with no name shown", {{slash}, Typed("XYZ"), {Enter()}, Typed("ab"), {Enter()}}, "(none)", ""},
      {"a second's pause keeps the prefix", {Typed("c"), {Pause(1000)}, Typed("g"), {Enter()}}, "", "CHEM24"},
      {"a longer pause starts anew", {Typed("c"), {Pause(1001)}, Typed("g"), {Enter()}}, "", "GEO"},
      {"type-ahead among the shown", {{slash}, Typed("24"), {Enter()}, Typed("c"), {Enter()}}, "", "CHEM24"},
  };
  for (const Case& c : cases) {
    ClockedConsole console;
    for (const auto& keys : c.keys)
      for (const InputEvent& event : keys) console.PushInput(event);
    EXPECT_EQ(Show(console, names, true, 0, "C:\\COURSES", console.clock), c.answer) << c.what;
    if (!c.shown.empty()) {
      ASSERT_TRUE(console.open) << c.what;
      EXPECT_EQ(ShownList(*console.open), c.shown) << c.what;
    }
    // Whenever the list has the keys (the cursor hidden), the cursor stands on the
    // highlighted name's pointer, or on the list's first row when no name is shown.
    for (std::size_t n = 1; n < console.seen.size(); ++n) {
      const VirtualConsole& screen = console.seen[n];
      if (screen.CursorShape().visible) continue;
      const std::vector<int> rows = PointerRows(screen);
      const Cell at = screen.At(screen.Cursor());
      if (rows.empty())
        EXPECT_EQ(testing::RowText(screen, screen.Cursor().y, screen.Cursor().x, 3), "(no")
            << c.what << ", key " << n;
      else
        EXPECT_EQ(at, (Cell{dialog_style::kPointerSign, dialog_style::kHighlight})) << c.what << ", key " << n;
    }
  }
}

// A thousand names: the status line counts the shown, a filter keystroke writes
// only the list rows, the status line and the field, and the field keeps the
// filter through a resize and scrolls a filter longer than itself.
TEST(ListBoxFind, AThousandNamesFilteredAndAFieldThatScrolls) {
  const Names names = Numbered(1000, 14);
  ClockedConsole console;
  // 1 /, 2 N, 3 9 (N9..: 111 names), 4 9 (N99..: 11), 5 resize, 6 Enter.
  Push(console, Key(0, '/'), Typed("N99"), Resize(60, 20), Enter());
  Show(console, names);
  EXPECT_NE(Find(console.seen[2], "1000 of 1000 shown").y, -1);
  EXPECT_NE(Find(console.seen[4], "11 of 1000 shown").y, -1);
  const Coord field = Find(console.seen[4], "Filter: N99");
  ASSERT_NE(field.y, -1);
  EXPECT_EQ(console.seen[4].Cursor(), (Coord{static_cast<int16_t>(field.x + 11), field.y}));
  EXPECT_TRUE(console.seen[4].CursorShape().visible);
  const int rows = 16;
  EXPECT_LE(console.Cost(4).writes, rows + 1 + rows + 1);  // list rows, scroll bar, status line, field
  EXPECT_NE(Find(console.seen[5], "Filter: N99").y, -1);   // laid out again after the resize
  EXPECT_NE(Find(*console.open, "11 of 1000 shown").y, -1);
  EXPECT_EQ(Find(*console.open, "Filter:").y, -1);
  EXPECT_NE(Find(*console.open, "/ filter").y, -1);
  EXPECT_FALSE(console.open->CursorShape().visible);

  ClockedConsole longer;
  const std::string typed(100, 'x');
  Push(longer, Key(0, '/'), Typed(typed + "y"), Enter(), Enter());
  EXPECT_EQ(Show(longer, names), "");
  const VirtualConsole& open = longer.seen.at(longer.seen.size() - 2);
  EXPECT_NE(Find(open, "xxxxy").y, -1);
  EXPECT_EQ(Find(open, std::string(60, 'x')).y, -1);  // scrolled: the start is out of view
  EXPECT_NE(Find(open, "(no name matches").y, -1);
  EXPECT_EQ(longer.outside, 0);
}

// A filter longer than the field of a narrow box: ◄ on the label's closing blank
// while text lies before the field, ► in the right margin while text lies after it,
// both gone with the field. A 30 by 12 screen puts the box at 2..27, the key row on
// row 8: the label from 4, the field 12..25 (14 cells), the right margin 26.
TEST(ListBoxFind, ALongFilterShowsMarksWhereItRunsOn) {
  constexpr int16_t kRow = 8, kLabel = 4, kField = 12;
  const std::string long_filter = "abcdefghijklmnopqrst";
  const std::vector<InputEvent> lefts(17, Key(vk::kLeft));
  struct Case {
    const char* what;
    std::vector<InputEvent> keys;  // after / and the filter
    std::string row;               // from the label to the right margin
    int cursor;                    // the cursor's column in the field, -1: hidden
  };
  const std::vector<Case> cases = {
      {"at its end", {}, "Filter:\u25C4hijklmnopqrst  ", 13},
      {"at its start", {Key(vk::kHome)}, "Filter: abcdefghijklmn\u25BA", 0},
      {"in its middle", lefts, "Filter:\u25C4defghijklmnopq\u25BA", 0},
      {"closed", {Key(vk::kHome), Enter()}, "Space mark  Ctrl+A all ", -1},
  };
  for (const Case& c : cases) {
    WatchedConsole console({30, 12}, {30, 12});
    Push(console, Key(0, '/'), Typed(long_filter), c.keys);
    Show(console, kThree);
    ASSERT_TRUE(console.open) << c.what;
    EXPECT_EQ(testing::RowText(*console.open, kRow, kLabel, 23), c.row) << c.what;
    EXPECT_EQ(console.open->At({kLabel + 22, kRow}).attribute,
              c.cursor < 0 ? dialog_style::kBox : dialog_style::kTitle)
        << c.what;
    EXPECT_EQ(console.open->CursorShape().visible, c.cursor >= 0) << c.what;
    if (c.cursor >= 0) {
      EXPECT_EQ(console.open->Cursor(), (Coord{static_cast<int16_t>(kField + c.cursor), kRow})) << c.what;
    }
  }
  WatchedConsole short_filter({30, 12}, {30, 12});
  Push(short_filter, Key(0, '/'), Typed("abc"));
  Show(short_filter, kThree);
  EXPECT_EQ(testing::RowText(*short_filter.open, kRow, kLabel, 23), "Filter: abc" + std::string(12, ' '));
}

TEST(ListBoxMouse, ClicksMarkToggleAndRangeDoubleClickAnswers) {
  const Names names = Numbered(6);
  WatchedConsole probe;
  Show(probe, names);
  auto at = [&](int i) { return Find(*probe.open, names[static_cast<std::size_t>(i)]); };
  auto click = [&](int i, uint32_t modifiers = 0) { return Click(at(i).x + 1, at(i).y, modifiers); };
  auto second = [&](int i, uint32_t modifiers = 0) { return DoubleClick(at(i).x + 1, at(i).y, modifiers); };
  const uint32_t ctrl = modifier::kLeftCtrl, shift = modifier::kShift;

  struct Case {
    const char* what;
    std::vector<InputEvent> events;
    std::vector<int> chosen;
  };
  const std::vector<Case> cases = {
      {"click marks that name alone", {kSpace, click(2), Enter()}, {2}},
      {"Ctrl+click toggles", {click(1), click(3, ctrl), click(4, ctrl), click(3, ctrl), Enter()}, {1, 4}},
      {"Shift+click marks the range", {click(4), click(1, shift), Enter()}, {1, 2, 3, 4}},
      {"Shift+click from the last click", {click(0), click(5, ctrl), click(3, shift), Enter()}, {3, 4, 5}},
      {"Ctrl+Shift adds the range", {click(0), click(4, ctrl), click(5, ctrl | shift), Enter()}, {0, 4, 5}},
      {"double click answers", {kSpace, click(3), DoubleClick(at(3).x, at(3).y)}, {3}},
      {"two quick Ctrl+clicks toggle twice", {click(1, ctrl), click(3, ctrl), second(3, ctrl), Enter()}, {1}},
      {"a click, then a quick Ctrl+click", {click(3), second(3, ctrl), click(5, ctrl), Enter()}, {5}},
      {"a Ctrl+click, then a quick click", {click(3, ctrl), second(3), click(5, ctrl), Enter()}, {3, 5}},
      {"a quick Shift+click", {click(1), click(3), second(3, shift), click(5, ctrl), Enter()}, {3, 5}},
      {"release and moves do nothing", {Release(at(2).x, at(2).y), Enter()}, {0}},
      {"a click outside the list does nothing", {Click(at(0).x, at(0).y - 3), Enter()}, {0}},
  };
  for (const Case& c : cases) {
    WatchedConsole console;
    for (const InputEvent& event : c.events) console.PushInput(event);
    Text expected;
    for (int i : c.chosen) expected += (expected.empty() ? "" : std::string(1, '\0')) + names[std::size_t(i)];
    EXPECT_EQ(Show(console, names), expected) << c.what;
  }

  const Coord ok = Find(*probe.open, "\u25BA OK \u25C4"), cancel = Find(*probe.open, "[ Cancel ]");
  WatchedConsole ok_console;
  Push(ok_console, click(2), Click(ok.x + 5, ok.y));
  EXPECT_EQ(Show(ok_console, names), names[2]);
  WatchedConsole cancel_console;
  Push(cancel_console, click(2), Click(cancel.x, cancel.y), Enter());
  EXPECT_EQ(Show(cancel_console, names), "");
}

// The wheel and the scroll bar move the view; a highlighted name that leaves it is
// taken along to the nearest row in view, so the highlight is always on a name shown.
TEST(ListBoxMouse, WheelAndScrollBarMoveTheViewAndTakeTheHighlightAlong) {
  const Names names = Numbered(100);
  WatchedConsole probe;
  Show(probe, names);
  const Coord first = Find(*probe.open, "N1.ZUL");
  const Coord bar = Find(*probe.open, "\u25BC");  // the scroll bar's arrow down
  ASSERT_GE(bar.x, 0);

  WatchedConsole wheel;
  Push(wheel, Wheel(first.x, first.y, -120), Wheel(first.x, first.y, -120), Wheel(first.x, first.y, 120), Enter());
  EXPECT_EQ(Show(wheel, names), names[6]);  // taken to N7 by the second turn, and kept in view by the third
  EXPECT_EQ(Find(*wheel.open, "N4.ZUL").y, first.y);
  EXPECT_NE(Find(*wheel.open, "4-19 of 100").y, -1);
  EXPECT_EQ(PointerRows(*wheel.open), std::vector<int>{Find(*wheel.open, "N7.ZUL").y});

  WatchedConsole arrow;
  Push(arrow, Click(bar.x, bar.y), Click(bar.x, bar.y), Click(first.x, first.y), Enter());
  EXPECT_EQ(Show(arrow, names), names[2]);
}

TEST(ListBoxRedraw, WritesOnlyTheRowsThatChange) {
  WatchedConsole console;
  // 1 Down, 2 Space, 3 Up, 4 Up at the top does nothing, 5 End scrolls, 6 Ctrl+A.
  Push(console, kDown, kSpace, kUp, kUp, Key(vk::kEnd), kCtrlA);
  Show(console, Numbered(1000, 255));
  // In the 70-column box a list row is 65 cells left of the scroll bar, the status line 66.
  const WatchedConsole::Counts down = console.Cost(1), mark = console.Cost(2), none = console.Cost(4);
  EXPECT_EQ(down.writes, 2);  // the old row and the new row; the status line shows no highlight
  EXPECT_EQ(down.cells, std::size_t(65 + 65));
  EXPECT_EQ(down.fills, 0);
  EXPECT_EQ(mark.writes, 2);  // the row and the status line
  EXPECT_EQ(mark.cells, std::size_t(65 + 66));
  EXPECT_EQ(none.writes, 0);
  const int rows = 16;
  EXPECT_EQ(console.Cost(5).writes, rows + rows + 1);  // every row, the scroll bar, the status line
  EXPECT_EQ(console.Cost(6).writes, rows + 1);
  EXPECT_EQ(console.Cost(6).fills, 0);
}

// What a key costs a terminal, through the presenter: a move recolours two names
// (the highlight's bar leaves one and lands on the other), a mark changes a cell and
// the count; each answer is a few dozen bytes, and never none.
TEST(ListBoxRedraw, EachKeyCostsATerminalAFewBytes) {
  WatchedConsole console;  // 80 x 25
  Push(console, kDown, kSpace, kDown, kSpace, kUp, Key(vk::kEnd), Esc());
  Show(console, Numbered(1000, 14));
  ASSERT_EQ(console.seen.size(), 7u);  // seen[0] the first frame, seen[n] the answer to key n
  TerminalPresenter presenter;
  TerminalReplay replay({80, 25});
  std::vector<std::size_t> sizes;
  for (const VirtualConsole& screen : console.seen) {
    std::string bytes;
    presenter.Present(screen, {80, 25}, bytes);
    replay.Feed(bytes);
    sizes.push_back(bytes.size());
    EXPECT_EQ(replay.Cursor(), screen.Cursor()) << "frame " << sizes.size();  // on the highlight's pointer
  }
  ASSERT_TRUE(replay.Errors().empty()) << replay.Errors()[0];
  std::cout << "[ bytes    ] list box first frame " << sizes[0] << ", Down " << sizes[1] << ", Space " << sizes[2]
            << ", Down " << sizes[3] << ", Space " << sizes[4] << ", Up " << sizes[5] << "\n";
  for (std::size_t n = 1; n <= 5; ++n) {
    EXPECT_GT(sizes[n], 0u) << "key " << n;
    EXPECT_LE(sizes[n], n % 2 == 0 ? 30u : 72u) << "key " << n;
  }
  // End scrolls: the terminal shows the last names, the pointer at the last.
  const VirtualConsole& end = console.seen[6];
  const Coord last = Find(end, "N1000.ZUL");
  ASSERT_EQ(PointerRows(end), std::vector<int>{last.y});
  const TerminalReplay::Shown& pointer = replay.At(last.x - 3, last.y);
  EXPECT_EQ(pointer.glyph, "\u25BA");
  EXPECT_EQ(pointer.foreground, 30);  // black on bright cyan, the bar's colours
  EXPECT_EQ(pointer.background, 106);
  EXPECT_EQ(replay.At(last.x, last.y).glyph, "N");
}

TEST(ListBoxList, ReadsOnlyAWellFormedDescriptor) {
  ListTable table;
  table[1] = "A.ZUL";
  table[3] = std::string("B.ZUL\0junk", 10);
  table[4] = std::string("\0C.ZUL", 6);
  table[1000] = "Z.ZUL";
  ListTableArgument argument(table);
  EXPECT_EQ(ReadListNames(argument.Descriptor()), (Names{"A.ZUL", "B.ZUL", "Z.ZUL"}));

  const std::vector<std::pair<const char*, void (*)(ListDescriptor&)>> faults = {
      {"null data", [](ListDescriptor& d) { d.data = nullptr; }},
      {"two dimensions", [](ListDescriptor& d) { d.dimensions = 2; }},
      {"not texts", [](ListDescriptor& d) { d.entry_type = 0x03; }},
      {"entry size", [](ListDescriptor& d) { d.entry_size = 2; }},
      {"count above the bounds", [](ListDescriptor& d) { d.entry_count = 1001; }},
      {"bounds beyond the count", [](ListDescriptor& d) { d.bounds[0].upper = 2000; }},
      {"reversed bounds", [](ListDescriptor& d) { d.bounds[0].lower = 1001; }},
      {"far too many", [](ListDescriptor& d) { d.entry_count = 40000, d.bounds[0].upper = 40000; }},
  };
  for (const auto& [what, fault] : faults) {
    ListDescriptor broken = *argument.Descriptor();
    fault(broken);
    EXPECT_TRUE(ReadListNames(&broken).empty()) << what;
    WatchedConsole console;
    Push(console, kCtrlA, kSpace, Enter());
    auto decorations = OpenWindowDecorations();
    ConsoleToolsLibrary library(console, *decorations, Utf8CodePage(), SystemClock());
    EXPECT_EQ(library.ConsoleListBox(3, 0, 0, nullptr, nullptr, &broken, 0, 1, 0), nullptr) << what;
  }
  EXPECT_TRUE(ReadListNames(nullptr).empty());

  ByteString entries[2] = {AllocByteString("X"), AllocByteString("Y")};
  ListDescriptor own{};
  own.data = entries;
  own.entry_type = kListEntryTypeText;
  own.dimensions = 1;
  own.entry_count = 2;
  own.entry_size = sizeof(ByteString);
  own.bounds[0] = {-1, 0, 0};
  EXPECT_EQ(ReadListNames(&own), (Names{"X", "Y"}));
  for (ByteString entry : entries) FreeByteString(entry);
}

TEST(ListBoxList, AnEmptyListShowsSoAndAnswersNothing) {
  WatchedConsole console;
  Push(console, kDown, Key(vk::kEnd), kSpace, kCtrlA, Typed("a"), Wheel(10, 10, -120), Enter());
  EXPECT_EQ(Show(console, {}), "");
  EXPECT_NE(Find(*console.open, "(no names)").y, -1);
  EXPECT_NE(Find(*console.open, "0 marked").y, -1);
}

TEST(ListBoxOptions, SortedSingleSelectionAndFirstShown) {
  const Names names = {"b.X", "A.X", "C.X"};
  WatchedConsole sorted;
  Push(sorted, kDown, Enter());
  EXPECT_EQ(ShowTable(sorted, names, 1, 1), "C.X");
  EXPECT_LT(Find(*sorted.open, "A.X").y, Find(*sorted.open, "b.X").y);

  WatchedConsole single;
  Push(single, kSpace, kDown, kSpace, kCtrlA, kSpace, Enter());  // Ctrl+A unmarks the one mark
  EXPECT_EQ(Show(single, names, false), "A.X");
  WatchedConsole single_range;
  Push(single_range, kCtrlA, Enter());
  EXPECT_EQ(Show(single_range, names, false), "b.X");

  for (const auto& [first, answer] : std::vector<std::pair<int, Text>>{{2, "C.X"}, {3, "b.X"}, {-5, "b.X"}}) {
    WatchedConsole console;
    Push(console, Enter());
    EXPECT_EQ(Show(console, names, true, first), answer) << first;
  }
}

TEST(ListBoxModel, RangesAndMarksKeepTheirCount) {
  ListBoxModel model(Numbered(10), true, 0);
  model.SetRows(4);
  model.SetAnchor(6);
  model.MarkRange(2, false);
  EXPECT_EQ(model.MarkedCount(), 5);
  model.MarkRange(9, true);
  EXPECT_EQ(model.MarkedCount(), 8);  // 2..6 and 6..9
  model.ToggleAll();
  EXPECT_EQ(model.MarkedCount(), 10);
  model.Toggle(11);
  model.SetMark(-1, true);
  EXPECT_EQ(model.MarkedCount(), 10);
  model.ScrollBy(1000000);
  EXPECT_EQ(model.Top(), 6);
  model.ScrollBy(-1000000);
  EXPECT_EQ(model.Top(), 0);
  model.MoveTo(9);
  model.PageDown();
  EXPECT_EQ(model.Highlight(), 9);
  model.PageUp();
  EXPECT_EQ(model.Highlight(), 5);
  EXPECT_EQ(model.Top(), 2);

  ListBoxModel single(Numbered(5), false, 1);
  single.SetAnchor(0);
  single.MarkRange(3, true);
  single.SetMark(4, true);
  EXPECT_EQ(single.MarkedCount(), 1);
  EXPECT_EQ(single.Answer(), Numbered(5)[4]);
}

// What the filter looks at: without a `.`, the names without their extension, so
// that a letter of the ending every name shares finds nothing by it; with one, the
// whole names.
TEST(ListBoxModel, AFilterWithoutADotLooksAtTheNamesWithoutTheirExtension) {
  const Names names = {"ALGEBRA.ZUL", "Logic.zul", "CHEM.ZUL", "L.ZUL", "README", "A.B.ZUL"};
  const std::vector<std::pair<Text, std::string>> cases = {
      {"l", "ALGEBRA.ZUL Logic.zul L.ZUL"},
      {"z", ""},
      {"u", ""},
      {"b", "ALGEBRA.ZUL A.B.ZUL"},
      {"e", "ALGEBRA.ZUL CHEM.ZUL README"},
      {".", "ALGEBRA.ZUL Logic.zul CHEM.ZUL L.ZUL A.B.ZUL"},
      {".z", "ALGEBRA.ZUL Logic.zul CHEM.ZUL L.ZUL A.B.ZUL"},
      {"l.z", "L.ZUL"},
      {"c*.", "Logic.zul CHEM.ZUL"},
      {"?", "ALGEBRA.ZUL Logic.zul CHEM.ZUL L.ZUL README A.B.ZUL"},
      {"??", "ALGEBRA.ZUL Logic.zul CHEM.ZUL README A.B.ZUL"},
  };
  for (const auto& [pattern, expected] : cases) {
    ListBoxModel model(names, true, 0);
    model.SetFilter(pattern);
    std::string shown;
    for (int i = 0; i < model.Count(); ++i) shown += (shown.empty() ? "" : " ") + model.Name(i);
    EXPECT_EQ(shown, expected) << pattern;
  }
}

// A letter stored as one character and one spelled with a combining mark find each
// other, by filter and by type-ahead (a mark typed after its letter too); a-grave is
// no letter with a capital, so a grave on a small a is found by a small a-grave.
TEST(ListBoxModel, ComposedAndDecomposedLettersFindEachOther) {
  const Names names = {"ALPHA.ZUL", "U\u0308BER.ZUL", "\u00DCBUNG.ZUL", "voila\u0300.zul"};
  const std::vector<std::pair<Text, std::string>> filters = {
      {"\u00FC", "U\u0308BER.ZUL \u00DCBUNG.ZUL"},
      {"u\u0308B", "U\u0308BER.ZUL \u00DCBUNG.ZUL"},
      {"u", "\u00DCBUNG.ZUL"},
      {"\u00E0", "voila\u0300.zul"},
  };
  for (const auto& [pattern, expected] : filters) {
    ListBoxModel model(names, true, 0);
    model.SetFilter(pattern);
    std::string shown;
    for (int i = 0; i < model.Count(); ++i) shown += (shown.empty() ? "" : " ") + model.Name(i);
    EXPECT_EQ(shown, expected) << pattern;
  }
  const std::vector<std::pair<std::u32string, Text>> typed = {
      {U"\u00FC", "U\u0308BER.ZUL"},
      {U"u\u0308", "U\u0308BER.ZUL"},
      {U"u\u0308bu", "\u00DCBUNG.ZUL"},
      {U"voil\u00E0", "voila\u0300.zul"},
  };
  for (const auto& [characters, found] : typed) {
    ListBoxModel model(names, true, 0);
    bool last_found = false;
    for (const char32_t c : characters) last_found = model.TypeAhead(c, 0);
    EXPECT_TRUE(last_found) << found;
    EXPECT_EQ(model.Name(model.Highlight()), found);
  }
}

// However a filter finds them, the names keep their byte order and are answered as
// their bytes: u and a diaeresis (0x55 0xCC 0x88) before the composed letter (0xC3 0x9C).
TEST(ListBoxOptions, ComposingLettersToFindNamesLeavesTheirOrderAndBytes) {
  WatchedConsole console;
  Push(console, Key(0, '/'), Typed("\u00FC"), Key(vk::kTab, 0x09), kCtrlA, Enter());
  EXPECT_EQ(ShowTable(console, {"\u00DCBER.ZUL", "ALPHA.ZUL", "U\u0308BUNG.ZUL"}, 1, 1),
            Text("U\u0308BUNG.ZUL") + '\0' + "\u00DCBER.ZUL");
}

// The highlighted name stays in view, whatever moves the view: after each step the
// highlight and the first row shown are as given.
TEST(ListBoxModel, TheHighlightIsAlwaysANameInView) {
  struct Step {
    const char* what;
    void (*step)(ListBoxModel&);
    int highlight, top;
  };
  const Step steps[] = {
      {"ten rows", [](ListBoxModel& m) { m.SetRows(10); }, 0, 0},
      {"scrolled down three", [](ListBoxModel& m) { m.ScrollBy(3); }, 3, 3},
      {"down to row five", [](ListBoxModel& m) { m.MoveTo(8); }, 8, 3},
      {"scrolled back", [](ListBoxModel& m) { m.ScrollBy(-100); }, 8, 0},
      {"scrolled past the end", [](ListBoxModel& m) { m.ScrollBy(1000); }, 90, 90},
      {"to the last", [](ListBoxModel& m) { m.MoveTo(99); }, 99, 90},
      {"scrolled up a page and one", [](ListBoxModel& m) { m.ScrollBy(-11); }, 88, 79},
      {"fewer rows", [](ListBoxModel& m) { m.SetRows(4); }, 88, 85},
      {"a filter of nineteen names, N89 the 18th", [](ListBoxModel& m) { m.SetFilter("8"); }, 17, 14},
      {"scrolled in it", [](ListBoxModel& m) { m.ScrollBy(-3); }, 14, 11},
      {"a filter of none", [](ListBoxModel& m) { m.SetFilter("x"); }, 0, 0},
      {"scrolled in none", [](ListBoxModel& m) { m.ScrollBy(2); }, 0, 0},
      {"no filter: back on N86", [](ListBoxModel& m) { m.SetFilter(""); }, 85, 82},
      {"to N99", [](ListBoxModel& m) { m.MoveTo(98); }, 98, 95},
      {"a filter that hides it and all after it: on the last shown, N97",
       [](ListBoxModel& m) { m.SetFilter("7"); }, 18, 15},
  };
  ListBoxModel model(Numbered(100), true, 0);
  for (const Step& s : steps) {
    s.step(model);
    EXPECT_EQ(model.Highlight(), s.highlight) << s.what;
    EXPECT_EQ(model.Top(), s.top) << s.what;
  }
}

// Every window size keeps the box inside the buffer and the keys working.
TEST(ListBoxWindow, TinyAndHugeWindowsDegradeWithoutLeavingTheBuffer) {
  for (const Coord size : {Coord{20, 5}, Coord{300, 100}, Coord{1, 1}, Coord{8, 3}, Coord{30, 12}}) {
    const Names names = Numbered(1000, 255);
    WatchedConsole console(size, size);
    Push(console, kDown, kSpace, Key(vk::kNext), Key(vk::kEnd), Wheel(0, 0, 120), kSpace,
         Click(size.x / 2, size.y / 2));
    Push(console, Key(vk::kHome), Typed("n"), Key(0, '/'), Typed("9*9"), Key(vk::kTab), Key(0, '/'), Esc());
    Push(console, Key(vk::kDown, 0, modifier::kShift), EndOfInput());
    Show(console, names);
    WatchedConsole answered(size, size);
    Push(answered, kDown, kSpace, Key(vk::kEnd), kSpace, Enter());
    EXPECT_EQ(Show(answered, names), names[1] + std::string(1, '\0') + names[999]) << size;
    EXPECT_EQ(PointerRows(*answered.open).size(), 1u) << size;  // the pointer holds out in any size
    EXPECT_EQ(console.outside + answered.outside, 0) << size;
    if (size.x >= 20 && size.y >= 5) {
      EXPECT_NE(Find(*console.open, "\u25BA OK \u25C4").y, -1) << size;
      EXPECT_NE(Find(*console.open, ".ZULxxx").y, -1) << size;
    }
  }
  WatchedConsole huge({300, 100}, {300, 100});
  Push(huge, Key(vk::kEnd));
  Show(huge, Numbered(1000, 255));
  EXPECT_NE(Find(*huge.open, "910-1000 of 1000").y, -1);
  EXPECT_NE(Find(*huge.open, "N910.ZUL").y, -1);  // 91 rows shown
}

TEST(ListBoxWindow, PutsBackWhatItCoveredAndTheCursorAndFollowsAResize) {
  WatchedConsole console({100, 40}, {100, 40});
  Scribble(console);
  console.SetBufferSize({100, 60});
  console.SetWindowRect({0, 20, 99, 59});  // a window further down the buffer
  console.SetCursorPosition({3, 4});
  console.SetCursorInfo({40, true});
  console.SetInputMode(0x10);
  const VirtualConsole before = console;
  Push(console, kDown, kSpace, Key(vk::kEnd), kCtrlA);
  Show(console, Numbered(500));
  for (int y = 0; y < 60; ++y)
    for (int16_t x = 0; x < 100; ++x) ASSERT_EQ(console.At({x, int16_t(y)}), before.At({x, int16_t(y)}));
  EXPECT_EQ(console.Cursor(), (Coord{3, 4}));
  EXPECT_TRUE(console.CursorShape().visible);
  EXPECT_EQ(console.CursorShape().size, 40u);
  EXPECT_EQ(console.InputMode(), 0x10u | 0x01E0);    // with quick edit, insert and auto position on
  EXPECT_GE(Find(*console.open, "N500.ZUL").y, 20);  // drawn in the window

  WatchedConsole resized({80, 25}, {80, 25});
  Push(resized, kDown, Resize(40, 12), kDown, kSpace, Resize(40, 12));
  Show(resized, Numbered(50));
  EXPECT_NE(Find(*resized.open, "N3.ZUL").y, -1);
  EXPECT_LE(Find(*resized.open, "[ Cancel ]").x + 10, 40);
  EXPECT_NE(Find(*resized.open, "1 marked").y, -1);
}

TEST(ListBoxLibrary, AnswersThroughTheAdapterAsByteStrings) {
  ScriptedConsole console;
  auto decorations = OpenWindowDecorations();
  ConsoleToolsLibrary library(console, *decorations, Utf8CodePage(), SystemClock());
  ConsoleToolsAdapter adapter(library);
  ListTable table;
  table[1] = "A.ZUL";
  table[2] = "B.ZUL";
  table[3] = "C.ZUL";
  Push(console, kSpace, kDown, kDown, kSpace, Enter());
  EXPECT_EQ(adapter.ConsoleListBox(3, 0, 0, "D:\\X", kHint, table, 0, 1, 0), std::string("A.ZUL\0C.ZUL", 11));
  Push(console, Esc());
  EXPECT_EQ(adapter.ConsoleListBox(3, 0, 0, "D:\\X", kHint, table, 0, 1, 0), "");
}

}  // namespace
}  // namespace zul
