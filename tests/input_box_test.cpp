#include "dialogs/input_box.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "consoletools/console_tools_library.h"
#include "device/virtual_console.h"
#include "dialogs/dialog_style.h"
#include "tests/support/events.h"
#include "tests/support/row_text.h"
#include "tests/support/watched_console.h"

namespace zul {
namespace {

using testing::Click;
using testing::Enter;
using testing::Esc;
using testing::Key;
using testing::Push;
using testing::Scribble;
using testing::ScriptedConsole;
using testing::Typed;
using testing::WatchedConsole;

const Text kQuestionText = "Change default directory for .ZUL course files? ";
const Text kHintText = "<Cancel> accepts program's directory";

// Where the box lands for the chooser's call on an 80 by 30 screen: 48 + 6 = 54
// columns centred on x 39 (12..65), 8 rows centred on y 14 (10..17); the texts
// start two blanks inside the frame.
constexpr int kLeft = 12, kRight = 65, kTop = 10, kBottom = 17;
constexpr int kQuestionRow = 12, kFieldRow = 13, kHintRow = 14, kButtonRow = 16;
constexpr int kTextLeft = 15, kFieldWidth = 48;
constexpr int kOkColumn = 30, kCancelColumn = 38;

// Asks the chooser's question as the chooser does.
Text Ask(ConsoleDevice& console, std::size_t limit = 32768, const Text& default_answer = "") {
  return RunInputBox(console, Utf8CodePage(), SystemClock(), 40, 15, kQuestionText, kHintText, default_answer,
                     limit);
}

std::string Field(const VirtualConsole& console) {
  return testing::RowText(console, kFieldRow, kTextLeft, kFieldWidth);
}

std::string Padded(const std::string& text) { return text + std::string(kFieldWidth - text.size(), ' '); }

TEST(InputBoxLook, ShowsQuestionHintFieldAndButtonsWhereTheCallAsks) {
  using namespace dialog_style;
  WatchedConsole console({80, 30}, {80, 30});
  console.SetInputMode(16);
  Push(console, Esc());
  EXPECT_EQ(Ask(console), "");
  ASSERT_FALSE(console.seen.empty());
  const VirtualConsole& shown = console.seen[0];

  EXPECT_EQ(shown.At({kLeft, kTop}), (Cell{kTopLeft, kFrame}));
  EXPECT_EQ(shown.At({kRight, kBottom}), (Cell{kBottomRight, kFrame}));
  EXPECT_EQ(shown.At({kLeft, kQuestionRow}), (Cell{kVertical, kFrame}));
  EXPECT_EQ(shown.At({kLeft - 1, kTop}).character, ' ');  // nothing outside the box and its shadow
  EXPECT_EQ(testing::RowText(shown, kQuestionRow, kTextLeft, 48), kQuestionText);
  EXPECT_EQ(shown.At({kTextLeft, kQuestionRow}).attribute, kTitle);
  EXPECT_EQ(testing::RowText(shown, kHintRow, kTextLeft, 36), kHintText);
  EXPECT_EQ(shown.At({kTextLeft, kHintRow}).attribute, dialog_style::kHint);
  EXPECT_EQ(Field(shown), Padded(""));
  EXPECT_EQ(shown.At({kTextLeft, kFieldRow}).attribute, kField);
  EXPECT_EQ(shown.At({kTextLeft + kFieldWidth - 1, kFieldRow}).attribute, kField);
  EXPECT_EQ(shown.At({kTextLeft + kFieldWidth, kFieldRow}).attribute, kTitle);
  EXPECT_EQ(testing::RowText(shown, kButtonRow, kOkColumn, 6), "\u25BA OK \u25C4");
  EXPECT_EQ(shown.At({kOkColumn, kButtonRow}).attribute, kButtonFocus);
  EXPECT_EQ(testing::RowText(shown, kButtonRow, kCancelColumn, 10), "[ Cancel ]");
  EXPECT_EQ(shown.At({kCancelColumn, kButtonRow}).attribute, kButton);
  // The shadow, right and below.
  EXPECT_EQ(shown.At({kRight + 1, kTop + 1}).attribute, kShadow);
  EXPECT_EQ(shown.At({kRight + 2, kBottom + 1}).attribute, kShadow);
  EXPECT_EQ(shown.At({kLeft + 2, kBottom + 1}).attribute, kShadow);
  // The cursor waits, shown, at the start of the field; mouse clicks can arrive.
  EXPECT_EQ(shown.Cursor(), (Coord{kTextLeft, kFieldRow}));
  EXPECT_TRUE(shown.CursorShape().visible);
  EXPECT_TRUE(shown.MouseReporting());
}

TEST(InputBoxLook, IsAtLeastFortyWideAndGrowsForALongerHint) {
  WatchedConsole narrow({80, 30}, {80, 30});
  RunInputBox(narrow, Utf8CodePage(), SystemClock(), 40, 15, "Name?", "", "", 10);
  // 40 columns centred on x 39: 19..58.
  EXPECT_EQ(narrow.seen.at(0).At({19, kTop}).character, dialog_style::kTopLeft);
  EXPECT_EQ(narrow.seen.at(0).At({58, kTop}).character, dialog_style::kTopRight);

  WatchedConsole wide({80, 30}, {80, 30});
  RunInputBox(wide, Utf8CodePage(), SystemClock(), 40, 15, "Q", std::string(60, 'h'), "", 10);
  EXPECT_EQ(wide.seen.at(0).At({6, kTop}).character, dialog_style::kTopLeft);  // 66 columns: 6..71
  EXPECT_EQ(testing::RowText(wide.seen.at(0), kHintRow, 9, 60), std::string(60, 'h'));
}

TEST(InputBoxEditing, InsertsAtTheCursorAndEditsWithTheUsualKeys) {
  WatchedConsole console({80, 30}, {80, 30});
  Push(console, Typed("acd"), Key(vk::kLeft), Key(vk::kLeft), Typed("b"),   // abcd, cursor after b
       Key(vk::kHome), Key(vk::kBack),                                      // nothing to delete
       Key(vk::kEnd), Key(vk::kDelete),                                     // nothing to delete
       Key(vk::kHome), Key(vk::kDelete),                                    // bcd
       Key(vk::kRight), Key(vk::kRight), Key(vk::kRight), Key(vk::kRight),  // stops at the end
       Key(vk::kBack),                                                      // bc
       Key(vk::kLeft, 0), Key(vk::kDelete, '.'), Typed("$%&"), Enter());    // b.$%&c
  EXPECT_EQ(Ask(console), "b.$%&c");

  // After "acd", Left, Left and "b", the cursor stands after the b.
  const VirtualConsole& after_b = console.seen.at(6);
  EXPECT_EQ(Field(after_b), Padded("abcd"));
  EXPECT_EQ(after_b.Cursor(), (Coord{kTextLeft + 2, kFieldRow}));
  EXPECT_EQ(Field(console.seen.at(12)), Padded("bcd"));
  EXPECT_EQ(console.seen.at(12).Cursor(), (Coord{kTextLeft, kFieldRow}));
}

TEST(InputBoxEditing, AKeyRewritesOnlyTheFieldRow) {
  WatchedConsole console({80, 30}, {80, 30});
  Push(console, Typed("ab"), Key(vk::kLeft), Key(vk::kBack), Key(vk::kF1), Enter());
  EXPECT_EQ(Ask(console), "b");
  ASSERT_EQ(console.rows_written.size(), 6u);
  EXPECT_GT(console.rows_written[0].size(), 5u);  // the first drawing
  for (std::size_t i = 1; i < 5; ++i) EXPECT_EQ(console.rows_written[i], std::set<int>{kFieldRow}) << i;
  EXPECT_TRUE(console.rows_written[5].empty());  // F1 does nothing, draws nothing
}

TEST(InputBoxClosing, EnterGivesTheTextAndEveryCancelGivesTheEmptyText) {
  const std::vector<std::pair<std::string, InputEvent>> cancels = {
      {"Esc", Esc()},
      {"Ctrl+C", testing::CtrlC()},
      {"byte 0x03", Key(0, 0x03)},
      {"end of input", testing::EndOfInput()},
  };
  for (const auto& [name, cancel] : cancels) {
    ScriptedConsole console({80, 30}, {80, 30});
    Push(console, Typed("c:\\dir"), cancel, Typed("more"), Enter());
    EXPECT_EQ(Ask(console), "") << name;
  }
  ScriptedConsole console({80, 30}, {80, 30});
  Push(console, Typed("  c:\\my dir\\  "), Enter());
  EXPECT_EQ(Ask(console), "  c:\\my dir\\  ");  // as typed: trimming is the caller's business
  ScriptedConsole silent({80, 30}, {80, 30});
  EXPECT_EQ(Ask(silent), "");  // no input at all
}

TEST(InputBoxClosing, ClicksOnTheButtonsAndInTheField) {
  ScriptedConsole ok({80, 30}, {80, 30});
  Push(ok, Typed("abc"), Click(kOkColumn + 5, kButtonRow));
  EXPECT_EQ(Ask(ok), "abc");

  ScriptedConsole cancel({80, 30}, {80, 30});
  Push(cancel, Typed("abc"), Click(kCancelColumn, kButtonRow));
  EXPECT_EQ(Ask(cancel), "");

  // Clicks beside the buttons, a release, a right click and a wheel turn on OK do
  // nothing; a click in the field moves the insertion point.
  ScriptedConsole field({80, 30}, {80, 30});
  InputEvent right_click = Click(kOkColumn, kButtonRow);
  right_click.mouse.buttons = mouse::kRightButton;
  Push(field, Typed("abcd"), Click(kOkColumn - 1, kButtonRow), Click(kOkColumn + 6, kButtonRow),
       testing::Release(kOkColumn, kButtonRow), right_click, testing::Wheel(kOkColumn, kButtonRow, 1),
       Click(kTextLeft + 1, kFieldRow), Typed("X"), Click(kTextLeft + 30, kFieldRow), Typed("Y"), Enter());
  EXPECT_EQ(Ask(field), "aXbcdY");
}

TEST(InputBoxField, ALongAnswerScrollsSoTheCursorStaysVisible) {
  WatchedConsole console({80, 30}, {80, 30});
  std::string typed;
  for (int i = 0; i < 60; ++i) typed.push_back(static_cast<char>('A' + i % 26));
  Push(console, Typed(typed), Key(vk::kHome), Key(vk::kEnd), Key(vk::kBack), Key(vk::kBack), Enter());
  EXPECT_EQ(Ask(console), typed.substr(0, 58));

  // After the 60 bytes: the last 47 shown, the cursor in the field's last cell,
  // a mark on the left that more lies before.
  const VirtualConsole& at_end = console.seen.at(60);
  EXPECT_EQ(Field(at_end), typed.substr(13) + " ");
  EXPECT_EQ(at_end.Cursor(), (Coord{kTextLeft + kFieldWidth - 1, kFieldRow}));
  EXPECT_EQ(at_end.At({kTextLeft - 1, kFieldRow}).character, dialog_style::kMoreLeft);
  EXPECT_EQ(at_end.At({kTextLeft + kFieldWidth, kFieldRow}).character, ' ');
  // Home: the first 48 shown, the mark on the right.
  const VirtualConsole& at_home = console.seen.at(61);
  EXPECT_EQ(Field(at_home), typed.substr(0, 48));
  EXPECT_EQ(at_home.Cursor(), (Coord{kTextLeft, kFieldRow}));
  EXPECT_EQ(at_home.At({kTextLeft - 1, kFieldRow}).character, ' ');
  EXPECT_EQ(at_home.At({kTextLeft + kFieldWidth, kFieldRow}).character, dialog_style::kMoreRight);
  // Deleting from the end scrolls back so that the field stays full.
  const VirtualConsole& shorter = console.seen.at(64);
  EXPECT_EQ(Field(shorter), typed.substr(11, 47) + " ");
}

// A paste goes in at the insertion point and never answers the box: only Enter
// does. One longer than the answer may be keeps its start, up to the last byte
// that fits; the field scrolls to show where it ends.
TEST(InputBoxField, APasteInsertsAtTheCursorAndKeepsWhatFits) {
  ScriptedConsole console({80, 30}, {80, 30});
  Push(console, Typed("ad"), Key(vk::kLeft), testing::Paste(U"bc"), Typed("-"), testing::Paste(U"\u00E9\u65E5"),
       Enter());
  EXPECT_EQ(Ask(console), "abc-\u00E9\u65E5d");

  const struct {
    std::size_t limit;
    const char* typed;
    std::u32string pasted;
    Text answer;
  } cases[] = {
      {4, "x", U"ab\u00E9cd", "xab"},    // the é would pass the fourth byte, and nothing after it is taken
      {5, "", U"abcde", "abcde"},        // exactly the limit
      {5, "", U"abcdef", "abcde"},       // one byte more
      {4, "a", U"b\u00E9", "ab\u00E9"},  // filled by a character's last byte
  };
  for (const auto& c : cases) {
    ScriptedConsole full({80, 30}, {80, 30});
    Push(full, Typed(c.typed), testing::Paste(c.pasted), Enter());
    EXPECT_EQ(Ask(full, c.limit), c.answer) << c.limit << " bytes, pasted after \"" << c.typed << '"';
  }

  // A paste longer than the field: its end shows, the cursor after it, with no key more.
  WatchedConsole longer({80, 30}, {80, 30});
  std::string pasted;
  for (int i = 0; i < 60; ++i) pasted.push_back(static_cast<char>('a' + i % 26));
  Push(longer, testing::Paste(std::u32string(pasted.begin(), pasted.end())), Enter());
  EXPECT_EQ(Ask(longer), pasted);
  const VirtualConsole& after_paste = longer.seen.at(1);
  EXPECT_EQ(Field(after_paste), pasted.substr(13) + " ");
  EXPECT_EQ(after_paste.Cursor(), (Coord{kTextLeft + kFieldWidth - 1, kFieldRow}));
  EXPECT_EQ(after_paste.At({kTextLeft - 1, kFieldRow}).character, dialog_style::kMoreLeft);
}

TEST(InputBoxField, RefusesInputBeyondTheLongestAnswer) {
  ScriptedConsole console({80, 30}, {80, 30});
  Push(console, Typed("abcdefg"), Key(vk::kHome), Typed("X"), Key(vk::kDelete), Typed("Y"), Enter());
  EXPECT_EQ(Ask(console, 5), "Ybcde");

  // The starting answer is cut to the limit.
  ScriptedConsole cut({80, 30}, {80, 30});
  Push(cut, Enter());
  EXPECT_EQ(Ask(cut, 3, "abcdef"), "abc");
}

// Texts keep every byte: control bytes and bytes that spell no character pass through
// and show as their glyphs; a typed character goes in as its UTF-8 bytes, and one that a
// terminal would take for a command (a C1 control) is not typed.
TEST(InputBoxBytes, ControlBytesAndStrayBytesPassThroughTypedCharactersAsUtf8) {
  WatchedConsole console({80, 30}, {80, 30});
  const Text question("Q\x01\n\0\xE9?", 6);
  const Text hint("\x1B[31m\r", 6);
  const Text start("a\x01\n\0b\xFF", 6);
  Push(console, Key(0, 0x85), Key(0, U'\u00E9'), Key(0, U'\u65E5'), Key(0, 0x7F), Enter());
  EXPECT_EQ(RunInputBox(console, Utf8CodePage(), SystemClock(), 40, 15, question, hint, start, 32768),
            start + "\u00E9\u65E5\x7F");

  const VirtualConsole& shown = console.seen.at(0);
  const int left = 19 + 3;  // a 40-wide box at 19..58
  EXPECT_EQ(testing::RowText(shown, kQuestionRow, left, 6), "Q\u263A\u25D9 \u0398?");
  EXPECT_EQ(testing::RowText(shown, kHintRow, left, 6), "\u2190[31m\u266A");
  EXPECT_EQ(testing::RowText(shown, kFieldRow, left, 6), "a\u263A\u25D9 b\u00A0");
  EXPECT_EQ(shown.Cursor(), (Coord{left + 6, kFieldRow}));
  const VirtualConsole& typed = console.seen.back();
  EXPECT_EQ(testing::RowText(typed, kFieldRow, left, 10), "a\u263A\u25D9 b\u00A0\u00E9\u65E5\u2302");
  EXPECT_EQ(typed.Cursor(), (Coord{left + 10, kFieldRow}));  // the wide character takes two cells
}

TEST(InputBoxScreen, PutsBackWhatItCoveredTheCursorAndTheInputMode) {
  ScriptedConsole console({80, 30}, {80, 30});
  Scribble(console);
  console.SetCursorPosition({3, 27});
  console.SetCursorInfo({10, false});
  console.SetInputMode(16);
  const auto before = console.Cells();
  Push(console, Typed("abc"), Enter());
  EXPECT_EQ(Ask(console), "abc");
  EXPECT_EQ(console.Cells(), before);
  EXPECT_EQ(console.Cursor(), (Coord{3, 27}));
  EXPECT_EQ(console.CursorShape().size, 10u);
  EXPECT_FALSE(console.CursorShape().visible);
  EXPECT_EQ(console.InputMode(), 16u | 0x01E0);  // with quick edit, insert and auto position on
}

TEST(InputBoxScreen, SmallWindowsGetASmallerBoxThatStillWorks) {
  // 20 by 5: frame, question, field, buttons, frame.
  WatchedConsole small({20, 5}, {20, 5});
  Push(small, Typed("abcdefghijklmnopqrstuvwxyz"), Click(1, 3));
  EXPECT_EQ(Ask(small), "abcdefghijklmnopqrstuvwxyz");
  const VirtualConsole& shown = small.seen.at(0);
  EXPECT_EQ(shown.At({0, 0}).character, dialog_style::kTopLeft);
  EXPECT_EQ(shown.At({19, 4}).character, dialog_style::kBottomRight);
  EXPECT_EQ(testing::RowText(shown, 1, 2, 16), kQuestionText.substr(0, 16));
  EXPECT_EQ(testing::RowText(shown, 3, 1, 18), "\u25BA OK \u25C4  [ Cancel ]");
  const VirtualConsole& typed = small.seen.back();
  EXPECT_EQ(testing::RowText(typed, 2, 2, 16), "lmnopqrstuvwxyz ");  // scrolled: the cursor takes the last cell
  EXPECT_EQ(typed.Cursor(), (Coord{17, 2}));

  // Windows down to a single cell: never a crash, never a cell outside the buffer.
  for (Coord size : {Coord{1, 1}, Coord{5, 2}, Coord{6, 3}, Coord{40, 4}, Coord{3, 40}}) {
    ScriptedConsole tiny(size, size);
    Push(tiny, Typed("xy"), Key(vk::kLeft), Typed("z"), Click(0, 0), Enter());
    EXPECT_EQ(Ask(tiny), "xzy") << size;
  }
}

TEST(InputBoxScreen, AResizeLaysTheBoxOutAgainAndKeepsTheAnswer) {
  WatchedConsole console({80, 30}, {80, 30});
  console.follow_resizes = false;
  Scribble(console);
  const auto before = console.Cells();
  // Before the fourth read the terminal shrinks to 40 by 12 and the window with it.
  console.before_read = [](WatchedConsole& c, std::size_t read) {
    if (read != 3) return;
    c.SetLargestWindow({40, 12});
    c.SetWindowRect({0, 0, 39, 11});
  };
  Push(console, Typed("abc"), testing::Resize(40, 12), Typed("d"), Enter());
  EXPECT_EQ(Ask(console), "abcd");

  // After the resize: a 40-wide box centred on row 15 as far as the window allows,
  // kept inside it (rows 3..10 leave one row for the shadow), and nothing left at the old place.
  const VirtualConsole& moved = console.seen.at(4);
  EXPECT_EQ(moved.At({0, 3}).character, dialog_style::kTopLeft);
  EXPECT_EQ(moved.At({39, 10}).character, dialog_style::kBottomRight);
  EXPECT_EQ(testing::RowText(moved, 6, 3, 3), "abc");
  EXPECT_EQ(moved.Cursor(), (Coord{6, 6}));
  for (int x = 40; x < 80; ++x) {
    EXPECT_EQ(moved.At({int16_t(x), kTop}), before[kTop * 80 + x]) << x;
    EXPECT_EQ(moved.At({int16_t(x), kFieldRow}), before[kFieldRow * 80 + x]) << x;
  }
  EXPECT_EQ(console.Cells(), before);
}

// Window decorations that a terminal does not have.
class NoDecorations : public WindowDecorations {
 public:
  bool SetIcon(void*, int32_t) override { return false; }
  bool DeleteMenuItem(int32_t) override { return false; }
  bool ResetMenu() override { return false; }
  bool Move(int32_t, int32_t) override { return false; }
  bool BringToTop() override { return false; }
};

TEST(InputBoxLibraryCall, TakesAndGivesByteStrings) {
  ScriptedConsole console({80, 30}, {80, 30});
  NoDecorations window;
  ConsoleToolsLibrary library(console, window, Utf8CodePage(), SystemClock());
  const ByteString question = AllocByteString(kQuestionText);
  const ByteString hint = AllocByteString(kHintText);
  const ByteString start = AllocByteString(std::string("d\0", 2));

  Push(console, Typed("x"), Enter());
  ByteString answer =
      library.ConsoleInputBox(33, library.LocOfCol(40), library.LocOfRow(15), question, hint, start, 1, 32768);
  EXPECT_EQ(ByteStringText(answer), std::string("d\0x", 3));
  EXPECT_EQ(testing::RowText(console, kQuestionRow, kTextLeft, 48), std::string(48, ' '));  // closed and put back
  FreeByteString(answer);

  Push(console, Typed("x"), Esc());
  answer = library.ConsoleInputBox(33, 40, 15, question, hint, nullptr, 1, 32768);
  EXPECT_EQ(answer, nullptr);

  // 0, negative and larger limits mean the largest answer.
  const ByteString long_start = AllocByteString(std::string(40000, 'a'));
  for (int32_t limit : {0, -1, 40000}) {
    Push(console, Typed("z"), Enter());
    answer = library.ConsoleInputBox(33, 40, 15, question, hint, long_start, 1, limit);
    EXPECT_EQ(ByteStringText(answer), std::string(32768, 'a')) << limit;
    FreeByteString(answer);
  }
  for (ByteString text : {question, hint, start, long_start}) FreeByteString(text);
}

// A starting answer with marks over its characters comes back byte for byte when
// Enter takes it, however the insertion point moved over it first; each character
// takes one cell with its first mark in it.
TEST(InputBoxBytes, AStartingAnswerWithMarksComesBackWhole) {
  struct Row {
    Text start;
    std::vector<InputEvent> keys;
    std::string shown;
    int cursor;
  };
  const Row rows[] = {
      {"Jo\u0308rg", {}, "Jo\u0308rg  ", 4},
      {"Jo\u0308rg",
       {Key(vk::kHome), Key(vk::kRight), Key(vk::kRight), Key(vk::kEnd), Key(vk::kLeft)},
       "Jo\u0308rg  ",
       3},
      {"o\u0308\u0301", {Key(vk::kLeft), Key(vk::kRight), Key(vk::kRight)}, "o\u0308     ", 1},
      {"\u0301e\u0301", {Key(vk::kHome), Key(vk::kLeft)}, " \u0301e\u0301    ", 0},
      {"\u65E5\u0308", {}, "\u65E5\u0308    ", 2},
  };
  for (const Row& row : rows) {
    WatchedConsole console({80, 30}, {80, 30});
    Push(console, row.keys, Enter());
    EXPECT_EQ(Ask(console, 32768, row.start), row.start) << row.start;
    const VirtualConsole& last = console.seen.back();
    EXPECT_EQ(testing::RowText(last, kFieldRow, kTextLeft, 6), row.shown) << row.start;
    EXPECT_EQ(last.Cursor(), (Coord{static_cast<int16_t>(kTextLeft + row.cursor), kFieldRow})) << row.start;
  }
  // Through the library's byte strings too.
  ScriptedConsole console({80, 30}, {80, 30});
  NoDecorations window;
  ConsoleToolsLibrary library(console, window, Utf8CodePage(), SystemClock());
  const ByteString start = AllocByteString("Jo\u0308rg");
  Push(console, Enter());
  const ByteString answer = library.ConsoleInputBox(33, 40, 15, nullptr, nullptr, start, 1, 32768);
  EXPECT_EQ(ByteStringText(answer), "Jo\u0308rg");
  FreeByteString(answer);
  FreeByteString(start);
}

}  // namespace
}  // namespace zul
