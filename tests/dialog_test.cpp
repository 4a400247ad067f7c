#include "dialogs/dialog.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "device/virtual_console.h"
#include "dialogs/button.h"
#include "dialogs/dialog_keys.h"
#include "dialogs/dialog_session.h"
#include "dialogs/dialog_style.h"
#include "dialogs/drawing.h"
#include "dialogs/placement.h"
#include "dialogs/saved_region.h"
#include "tests/support/events.h"
#include "tests/support/row_text.h"
#include "tests/support/watched_console.h"

namespace zul {
namespace {

using testing::Push;
using testing::Scribble;
using testing::WatchedConsole;

TEST(PlaceDialog, CentresOnTheCellCountedFromOne) {
  const InclusiveRect window{0, 0, 79, 29};
  // Column 40 is x 39: a 10-wide box covers 34..43, an 11-wide one 34..44.
  EXPECT_EQ(PlaceDialog(window, 10, 4, 40, 15), (InclusiveRect{34, 12, 43, 15}));
  EXPECT_EQ(PlaceDialog(window, 11, 5, 40, 15), (InclusiveRect{34, 12, 44, 16}));
  // A window scrolled into a larger buffer: the cell is counted from the buffer's corner.
  EXPECT_EQ(PlaceDialog({10, 20, 89, 49}, 10, 4, 50, 35), (InclusiveRect{44, 32, 53, 35}));
}

TEST(PlaceDialog, StaysInsideTheWindowWithRoomForTheShadow) {
  const InclusiveRect window{0, 0, 79, 29};
  EXPECT_EQ(PlaceDialog(window, 20, 6, 1, 1), (InclusiveRect{0, 0, 19, 5}));
  // At the far corner the shadow (2 columns, 1 row) must still fit.
  EXPECT_EQ(PlaceDialog(window, 20, 6, 80, 30), (InclusiveRect{58, 23, 77, 28}));
  EXPECT_EQ(PlaceDialog(window, 20, 6, INT32_MAX, INT32_MIN), (InclusiveRect{58, 0, 77, 5}));
  EXPECT_EQ(PlaceDialog(window, 20, 6, INT32_MIN, INT32_MAX), (InclusiveRect{0, 23, 19, 28}));
  // Without room for the shadow the box alone fits.
  EXPECT_EQ(PlaceDialog(window, 79, 30, 40, 15), (InclusiveRect{0, 0, 78, 29}));
}

TEST(PlaceDialog, ShrinksToASmallWindowAndGivesNothingForAnEmptyOne) {
  EXPECT_EQ(PlaceDialog({0, 0, 19, 4}, 54, 8, 40, 15), (InclusiveRect{0, 0, 19, 4}));
  EXPECT_EQ(PlaceDialog({3, 2, 3, 2}, 54, 8, 40, 15), (InclusiveRect{3, 2, 3, 2}));
  EXPECT_LT(PlaceDialog({0, 0, -1, -1}, 10, 4, 1, 1).Width(), 1);
  EXPECT_LT(PlaceDialog({0, 0, 79, 29}, 0, 4, 1, 1).Width(), 1);
  EXPECT_EQ(AreaWithShadow({70, 20, 79, 29}, {0, 0, 79, 29}), (InclusiveRect{70, 20, 79, 29}));
  EXPECT_EQ(AreaWithShadow({10, 5, 19, 8}, {0, 0, 79, 29}), (InclusiveRect{10, 5, 21, 9}));
}

// Four rows stacked from screen row 10: a short box keeps the most needed, shown in
// their own order; a tall row pushes those below it down.
TEST(StackRows, KeepsTheMostNeededInTheirOrder) {
  struct Case {
    const char* what;
    std::vector<int> kept_order;
    int room;
    int tall;
    std::vector<int> rows;
  };
  const std::vector<Case> cases = {
      {"room for all", {2, 0, 3, 1}, 4, -1, {10, 11, 12, 13}},
      {"room for two: the first two asked", {2, 0, 3, 1}, 2, -1, {10, -1, 11, -1}},
      {"a row never asked for", {0, 1, 3}, 9, -1, {10, 11, -1, 12}},
      {"a tall row of five", {1, 0, 2, 3}, 4, 1, {10, 11, 16, 17}},
      {"a tall row dropped", {0, 2, 1}, 2, 1, {10, -1, 11, -1}},
      {"no room", {0, 1, 2, 3}, 0, -1, {-1, -1, -1, -1}},
      {"less than none", {0, 1, 2, 3}, -3, -1, {-1, -1, -1, -1}},
  };
  for (const Case& c : cases) {
    std::vector<int> rows(4, 99);
    StackRows(c.kept_order, c.room, 10, rows, c.tall, 5);
    EXPECT_EQ(rows, c.rows) << c.what;
  }
}

TEST(SavedRegion, PutsCellsAndCursorBackExactlyOnce) {
  VirtualConsole console({30, 10}, {30, 10});
  Scribble(console);
  console.SetCursorPosition({4, 7});
  console.SetCursorInfo({42, true});
  const auto before = console.Cells();
  {
    SavedRegion saved(console, {25, 2, 40, 12});  // runs off the buffer: clipped
    EXPECT_EQ(saved.Area(), (InclusiveRect{25, 2, 29, 9}));
    FillRect(console, {20, 0, 29, 9}, Cell{'#', 0x4F});
    console.SetCursorPosition({0, 0});
    console.SetCursorInfo({1, false});
    saved.Restore();
    // Only the saved area comes back.
    EXPECT_EQ(testing::RowText(console, 0, 20, 10), "##########");
    EXPECT_EQ(testing::RowText(console, 5, 20, 5), "#####");
    EXPECT_EQ(console.At({25, 5}), before[5 * 30 + 25]);
    EXPECT_EQ(console.Cursor(), (Coord{4, 7}));
    EXPECT_EQ(console.CursorShape().size, 42u);
    EXPECT_TRUE(console.CursorShape().visible);
    // A second restore, and the destructor, change nothing more.
    FillRect(console, {25, 2, 29, 9}, Cell{'@', 0x1F});
    saved.Restore();
  }
  EXPECT_EQ(console.At({27, 4}), (Cell{'@', 0x1F}));
}

TEST(SavedRegion, MovePutsTheOldAreaBackAndSavesTheNewOne) {
  VirtualConsole console({30, 10}, {30, 10});
  Scribble(console);
  const auto before = console.Cells();
  {
    SavedRegion saved(console, {0, 0, 9, 3});
    FillRect(console, {0, 0, 9, 3}, Cell{'x', 0x70});
    saved.Move({15, 5, 24, 8});
    FillRect(console, {15, 5, 24, 8}, Cell{'y', 0x70});
    EXPECT_EQ(console.At({0, 0}), before[0]);
  }
  EXPECT_EQ(console.Cells(), before);
}

// A resize may shrink the buffer under a saved area: what the buffer kept comes
// back, and nothing is written beyond its edges.
TEST(SavedRegion, PutsBackOnlyWhatAShrunkenBufferKept) {
  WatchedConsole console({30, 10}, {30, 10});
  Scribble(console);
  const auto before = console.Cells();
  SavedRegion saved(console, {20, 2, 29, 9});
  FillRect(console, {20, 2, 29, 9}, Cell{'#', 0x4F});
  ASSERT_TRUE(console.SetWindowRect({0, 0, 24, 5}));
  ASSERT_TRUE(console.SetBufferSize({25, 6}));
  saved.Restore();
  EXPECT_EQ(console.outside, 0);
  for (int16_t y = 2; y < 6; ++y)
    for (int16_t x = 20; x < 25; ++x) EXPECT_EQ(console.At({x, y}), before[y * 30 + x]) << x << "," << y;
}

TEST(DialogInputModesFor, MouseOnQuickEditOffInsideAndTheFoundModeGivenBack) {
  struct Case {
    uint32_t found, inside, given_back;
  };
  const Case cases[] = {
      // Reported: kept as found, given back exactly.
      {0x01F7, 0x01B7, 0x01F7},  // a new console's mode as Windows reports it: quick edit on
      {0x0097, 0x0097, 0x0097},  // quick edit, insert and auto position reported off
      {0x01D0, 0x0190, 0x01D0},  // insert reported off stays off
      // Not reported (wine, or a parent's plain mode): insert and auto position on inside,
      // and all three given back on, as a new console has them.
      {0x0010, 0x01B0, 0x01F0},  // the chooser's plain mode
      {0x0000, 0x01B0, 0x01E0},
      {0x0027, 0x01B7, 0x01E7},  // insert without the extended flags tells nothing
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DialogInputModesFor(c.found).inside, c.inside) << c.found;
    EXPECT_EQ(DialogInputModesFor(c.found).given_back, c.given_back) << c.found;
  }
}

// Through the virtual console, which keeps quick edit apart from the mode it reports.
TEST(DialogSession, GivesBackTheModeAndTheQuickEditItFound) {
  using namespace input_mode;
  struct Case {
    std::vector<uint32_t> modes_set;  // before the dialog, in this order
    uint32_t mode_after;
    bool quick_edit_after;
  };
  const Case cases[] = {
      {{kProcessed | kMouse | kExtendedFlags | kQuickEdit},
       kProcessed | kMouse | kExtendedFlags | kQuickEdit,
       true},
      {{kProcessed | kExtendedFlags}, kProcessed | kExtendedFlags, false},
      // A plain mode tells nothing: given back as a new console has them, quick edit on.
      {{kExtendedFlags, kMouse}, kMouse | 0x01E0, true},
      {{kMouse}, kMouse | 0x01E0, true},
  };
  for (const Case& c : cases) {
    VirtualConsole console;
    for (uint32_t mode : c.modes_set) console.SetInputMode(mode);
    {
      DialogSession session(console);
      EXPECT_TRUE(console.MouseReporting());
      session.Close();
      session.Close();
    }
    EXPECT_EQ(console.InputMode(), c.mode_after) << c.modes_set.back();
    EXPECT_EQ(console.QuickEdit(), c.quick_edit_after) << c.modes_set.back();
  }
}

TEST(DialogDrawing, FrameTextAndShadow) {
  using namespace dialog_style;
  VirtualConsole console({20, 8}, {20, 8});
  FillRect(console, {0, 0, 19, 7}, Cell{'.', 0x07});
  DrawFrame(console, {2, 1, 11, 4}, kFrame);
  EXPECT_EQ(testing::RowText(console, 1, 2, 10), "╔════════╗");
  EXPECT_EQ(testing::RowText(console, 2, 2, 10), "║........║");  // the inside is left alone
  EXPECT_EQ(testing::RowText(console, 4, 2, 10), "╚════════╝");
  EXPECT_EQ(console.At({5, 1}).attribute, kFrame);
  EXPECT_EQ(console.At({2, 3}).attribute, kFrame);

  DrawShadow(console, {2, 1, 11, 4}, {0, 0, 19, 7});
  // Right strip from one row down, bottom strip from two columns in; bytes stay.
  EXPECT_EQ(console.At({12, 1}).attribute, 0x07);
  EXPECT_EQ(console.At({12, 2}), (Cell{'.', kShadow}));
  EXPECT_EQ(console.At({13, 5}).attribute, kShadow);
  EXPECT_EQ(console.At({14, 2}).attribute, 0x07);
  EXPECT_EQ(console.At({3, 5}).attribute, 0x07);
  EXPECT_EQ(console.At({4, 5}).attribute, kShadow);

  // Texts: characters as cells, cut or padded to the width; control bytes as glyphs.
  WriteText(console, Utf8CodePage(), {0, 0}, std::string("a\n\0b", 4), 0x1F, 6);
  EXPECT_EQ(testing::RowText(console, 0, 0, 6), "a◙ b  ");
  WriteText(console, Utf8CodePage(), {17, 0}, "xyzzy", 0x1F);  // runs off the row: dropped
  EXPECT_EQ(testing::RowText(console, 0, 17, 3), "xyz");
}

TEST(DialogButtons, AreCentredHitOnTheirCellsAndCutWhenTheyDoNotFit) {
  using enum DialogResult;
  OkCancelButtons buttons;
  buttons.Layout(10, 49, 7);  // 40 cells for 6 + 2 + 10: OK at 21..26, Cancel at 29..38
  const std::vector<std::pair<Coord, DialogResult>> centred = {
      {{20, 7}, kOpen},   {{21, 7}, kOk},   {{26, 7}, kOk},     {{27, 7}, kOpen},
      {{29, 7}, kCancel}, {{30, 6}, kOpen}, {{38, 7}, kCancel}, {{39, 7}, kOpen},
  };
  for (const auto& [cell, hit] : centred) EXPECT_EQ(buttons.Hit(cell), hit) << cell.x << "," << cell.y;

  buttons.Layout(0, 11, 0);  // 12 cells: OK whole, Cancel cut to 4
  EXPECT_EQ(buttons.Hit({0, 0}), kOk);
  EXPECT_EQ(buttons.Hit({11, 0}), kCancel);
  EXPECT_EQ(buttons.Hit({12, 0}), kOpen);
  buttons.Layout(0, 5, 0);  // Cancel cut to nothing
  EXPECT_EQ(buttons.Hit({8, 0}), kOpen);
  buttons.Layout(0, 11, -1);  // on no row
  EXPECT_EQ(buttons.Hit({0, 0}), kOpen);

  VirtualConsole console({20, 2}, {20, 2});
  buttons.Layout(0, 11, 1);
  buttons.Draw(console, Utf8CodePage());
  EXPECT_EQ(testing::RowText(console, 1),
            "\u25BA OK \u25C4  [ Ca        ");  // the default stands out without colour
  EXPECT_EQ(console.At({0, 1}).attribute, dialog_style::kButtonFocus);
  EXPECT_EQ(console.At({8, 1}).attribute, dialog_style::kButton);
}

TEST(DialogKeys, TellCancelEnterTypingAndClicksApart) {
  EXPECT_TRUE(IsCancelKey({vk::kEscape, 0x1B, 0}));
  EXPECT_TRUE(IsCancelKey({'C', 0x03, modifier::kLeftCtrl}));
  EXPECT_TRUE(IsCancelKey({'C', 0, modifier::kRightCtrl}));
  EXPECT_TRUE(IsCancelKey({0, 0x03, 0}));
  EXPECT_FALSE(IsCancelKey({'C', 'C', modifier::kShift}));
  EXPECT_TRUE(IsEnterKey({vk::kReturn, 0x0D, 0}));
  EXPECT_FALSE(IsEnterKey({'M', 0x0D, modifier::kLeftCtrl}));

  EXPECT_TRUE(IsTypedCharacter({'A', 'a', 0}));
  EXPECT_TRUE(IsTypedCharacter({0, 0xE9, 0}));
  EXPECT_TRUE(IsTypedCharacter({vk::kDelete, '.', 0}));  // '.' shares its code with Delete
  EXPECT_TRUE(IsTypedCharacter({0, '\\', modifier::kRightAlt | modifier::kLeftCtrl}));  // AltGr
  EXPECT_FALSE(IsTypedCharacter({'A', 'a', modifier::kLeftAlt}));
  EXPECT_FALSE(IsTypedCharacter({'A', 'a', modifier::kLeftCtrl}));
  EXPECT_FALSE(IsTypedCharacter({'A', 0x01, modifier::kLeftCtrl}));
  EXPECT_FALSE(IsTypedCharacter({vk::kBack, 0x7F, 0}));
  EXPECT_FALSE(IsTypedCharacter({vk::kDelete, 0x7F, 0}));
  EXPECT_FALSE(IsTypedCharacter({vk::kLeft, 0, 0}));

  EXPECT_TRUE(IsLeftPress(testing::Click(1, 1).mouse));
  EXPECT_TRUE(IsLeftPress(testing::DoubleClick(1, 1).mouse));
  EXPECT_FALSE(IsLeftPress(testing::Release(1, 1).mouse));
  EXPECT_FALSE(IsLeftPress(testing::Wheel(1, 1, 1).mouse));
  MouseEvent drag = testing::Click(1, 1).mouse;
  drag.flags = mouse::kMoved;
  EXPECT_FALSE(IsLeftPress(drag));
}

// A dialog that fills its box with one byte, counts what it is given and closes
// with OK on Enter.
class FillDialog : public Dialog {
 public:
  int layouts = 0;
  int keys = 0;
  std::vector<InclusiveRect> windows;

  InclusiveRect Layout(const BufferInfo& info) override {
    ++layouts;
    windows.push_back(info.window);
    box_ = PlaceDialog(info.window, 10, 4, 1, 1);
    return box_;
  }
  void Draw(ConsoleDevice& device) override { FillRect(device, box_, Cell{'D', 0x70}); }
  DialogResult OnKey(ConsoleDevice&, const KeyEvent& key) override {
    ++keys;
    return IsEnterKey(key) ? DialogResult::kOk : DialogResult::kOpen;
  }
  DialogResult OnMouse(ConsoleDevice&, const MouseEvent&) override { return DialogResult::kOpen; }

 private:
  InclusiveRect box_;
};

// Moves the window on the key 'm', as a terminal resize can, and on Enter
// records what the screen shows at the old and at the new place.
class MovingDialog : public FillDialog {
 public:
  explicit MovingDialog(VirtualConsole& console) : console_(console) {}
  Cell old_place;
  Cell new_place;
  DialogResult OnKey(ConsoleDevice& device, const KeyEvent& key) override {
    if (key.character == 'm') console_.SetWindowRect({20, 6, 39, 11});
    if (IsEnterKey(key)) {
      old_place = console_.At({1, 1});
      new_place = console_.At({21, 7});
    }
    return FillDialog::OnKey(device, key);
  }

 private:
  VirtualConsole& console_;
};

TEST(RunDialog, RelaysOutOnAResizeAndLeavesTheScreenAsItFoundIt) {
  testing::ScriptedConsole console({40, 12}, {20, 6});
  Scribble(console);
  console.SetWindowRect({0, 0, 19, 5});
  console.SetInputMode(16);
  console.SetCursorPosition({5, 6});
  const auto before = console.Cells();

  MovingDialog dialog(console);
  Push(console, testing::Typed("m"), testing::Resize(20, 6), testing::Enter());
  EXPECT_EQ(RunDialog(console, dialog), DialogResult::kOk);
  EXPECT_EQ(dialog.layouts, 2);
  EXPECT_EQ(dialog.windows.back(), (InclusiveRect{20, 6, 39, 11}));
  EXPECT_EQ(dialog.keys, 2);
  // While open after the resize: the old place shows what was there, the new one the box.
  EXPECT_EQ(dialog.old_place, before[1 * 40 + 1]);
  EXPECT_EQ(dialog.new_place, (Cell{'D', 0x70}));
  // Closed: everything as it was.
  EXPECT_EQ(console.Cells(), before);
  EXPECT_EQ(console.Cursor(), (Coord{5, 6}));
  EXPECT_EQ(console.InputMode(), 16u | 0x01E0);  // with quick edit, insert and auto position on
}

TEST(RunDialog, TheEndOfTheInputCancels) {
  testing::ScriptedConsole console({40, 12}, {40, 12});
  FillDialog dialog;
  Push(console, testing::Typed("ab"));
  EXPECT_EQ(RunDialog(console, dialog), DialogResult::kCancel);
  EXPECT_EQ(dialog.keys, 2);
  EXPECT_EQ(testing::RowText(console, 0, 0, 10), std::string(10, ' '));
}

}  // namespace
}  // namespace zul
