#include "dialogs/text_field.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/text_cells.h"
#include "tests/support/printers.h"

namespace zul {
namespace {

const KeyEvent kLeft{vk::kLeft}, kRight{vk::kRight}, kHome{vk::kHome}, kEnd{vk::kEnd};
const KeyEvent kBack{vk::kBack}, kDelete{vk::kDelete};
const KeyEvent kMark{0, U'\u0308'};  // a combining diaeresis, typed
const KeyEvent kAcute{0, U'\u0301'};

// Editing at the ends of the text and around a character with a mark over it. After
// the keys a `|` is typed, so the answer shows where the insertion point stood; the
// column is where the field showed it before that. The field shows its text as the
// text shows when read afresh.
TEST(TextFieldEditing, StopsAtBothEndsAndMovesAndDeletesAMarkWithItsCharacter) {
  struct Row {
    const char* what;
    std::string start;
    std::vector<KeyEvent> keys;
    std::string answer;
    int column;
    std::size_t limit = 64;
  };
  const Row rows[] = {
      {"Left at the first character", "ab", {kHome, kLeft, kLeft}, "|ab", 0},
      {"Home at the first character", "ab", {kHome, kHome}, "|ab", 0},
      {"Backspace at the first character", "ab", {kHome, kBack}, "|ab", 0},
      {"Right at the end", "ab", {kRight, kRight}, "ab|", 2},
      {"End at the end", "ab", {kHome, kEnd, kEnd}, "ab|", 2},
      {"Delete at the end", "ab", {kDelete}, "ab|", 2},
      {"Right from the last but one", "ab", {kLeft, kRight}, "ab|", 2},
      {"Left from the second", "ab", {kHome, kRight, kLeft}, "|ab", 0},
      {"Right over a marked character", "Jo\u0308rg", {kHome, kRight, kRight}, "Jo\u0308|rg", 2},
      {"Left over a marked character", "Jo\u0308", {kLeft}, "J|o\u0308", 1},
      {"End after a mark", "Jo\u0308", {kHome, kEnd}, "Jo\u0308|", 2},
      {"Backspace takes the mark's character", "Jo\u0308rg", {kLeft, kLeft, kBack}, "J|rg", 1},
      {"Delete takes the character's mark", "Jo\u0308rg", {kHome, kRight, kDelete}, "J|rg", 1},
      {"Delete of a last marked character", "ao\u0308", {kLeft, kDelete}, "a|", 1},
      {"a typed mark joins the character before", "ab", {kLeft, kMark}, "a\u0308|b", 1},
      {"and moves with it", "ab", {kLeft, kMark, kLeft}, "|a\u0308b", 0},
      {"and goes with it", "ab", {kLeft, kMark, kBack}, "|b", 0},
      {"a mark typed first stands alone", "ab", {kHome, kMark}, "\u0308|ab", 1},
      {"a second mark joins too", "o", {kMark, kAcute, kLeft}, "|o\u0308\u0301", 0},
      {"a mark at the start is deleted alone", "\u0308ab", {kHome, kDelete}, "|ab", 0},
      {"a character typed before a lone mark takes it", "\u0308ab", {kHome, KeyEvent{0, U'x'}}, "x\u0308|ab", 1},
      {"and so does a mark", "\u0308ab", {kHome, kAcute, kRight}, "\u0301\u0308a|b", 2},
      {"a wide character is one step", "\u65E5\u672C", {kLeft}, "\u65E5|\u672C", 2},
      {"a mark that fills the limit", "ab", {kMark}, "ab\u0308", 2, 4},  // no room for `|`
      {"a mark that would pass it", "ab", {kMark}, "ab|", 2, 3},
  };
  for (const Row& row : rows) {
    TextField field(Utf8CodePage(), row.limit, row.start);
    for (const KeyEvent& key : row.keys) EXPECT_TRUE(field.Edit(key)) << row.what;
    const TextField::View view = field.Show(10, 0);
    EXPECT_EQ(view.cursor, row.column) << row.what;
    std::vector<Cell> read;
    AppendTextCells(field.Value(), Utf8CodePage(), 0, 10, read);
    read.resize(10, Cell{U' ', 0});
    EXPECT_EQ(view.cells, read) << row.what;
    field.Edit(KeyEvent{0, U'|'});
    EXPECT_EQ(field.Value(), row.answer) << row.what;
  }
}

}  // namespace
}  // namespace zul
