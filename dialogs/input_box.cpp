#include "dialogs/input_box.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "device/text_cells.h"
#include "dialogs/button.h"
#include "dialogs/dialog.h"
#include "dialogs/dialog_keys.h"
#include "dialogs/dialog_style.h"
#include "dialogs/drawing.h"
#include "dialogs/placement.h"
#include "dialogs/text_field.h"

namespace zul {

namespace {

constexpr int kMinWidth = 40;
constexpr int kMargin = 2;  // blanks between the frame and the texts

// The rows of the box inside its frame, top to bottom.
enum Row { kTopBlank, kQuestion, kField, kHint, kLowBlank, kButtons, kRowCount };
constexpr std::array<Row, kRowCount> kShownOrder = {kTopBlank, kQuestion, kField, kHint, kLowBlank, kButtons};
// The rows a short window keeps, most needed first.
constexpr std::array<Row, kRowCount> kKeptOrder = {kField, kQuestion, kButtons, kHint, kLowBlank, kTopBlank};

class InputBox : public Dialog {
 public:
  InputBox(const CodePage& code_page, int32_t column, int32_t row, const Text& question, const Text& hint,
           const Text& answer, std::size_t limit)
      : code_page_(code_page),
        column_(column),
        row_(row),
        question_(question),
        hint_(hint),
        field_(code_page, limit, answer) {}

  InclusiveRect Layout(const BufferInfo& info) override;
  void Draw(ConsoleDevice& device) override;
  DialogResult OnKey(ConsoleDevice& device, const KeyEvent& key) override;
  DialogResult OnMouse(ConsoleDevice& device, const MouseEvent& mouse) override;
  DialogResult OnPaste(ConsoleDevice& device, std::u32string_view text) override;

  Text Answer() const { return field_.Value(); }

 private:
  bool Shows(Row row) const { return rows_[row] >= 0; }
  void DrawField(ConsoleDevice& device);

  const CodePage& code_page_;
  int32_t column_;
  int32_t row_;
  Text question_;
  Text hint_;
  TextField field_;

  InclusiveRect box_;
  bool framed_ = false;
  int margin_ = 0;
  int text_left_ = 0;                  // first column of the question, the field and the hint
  int text_width_ = 1;                 // and their width in cells
  std::array<int, kRowCount> rows_{};  // screen row of each row, -1 when not shown
  std::array<Button, 2> buttons_ = {Button{"OK", {}, 0}, Button{"Cancel", {}, 0}};
};

// Laying the box out:
// 1. a frame when the window has room for one;
// 2. the width: the longer of question and hint with margins, at least kMinWidth,
//    at most the window;
// 3. the rows: all six when they fit, else the most needed ones, in their order;
// 4. the place: centred on the asked cell inside the window;
// 5. the columns of texts, field and buttons inside the frame.
InclusiveRect InputBox::Layout(const BufferInfo& info) {
  const InclusiveRect& window = info.window;
  rows_.fill(-1);
  for (Button& button : buttons_) button.width = 0;
  box_ = kEmptyRect;
  if (window.IsEmpty()) return box_;

  framed_ = window.Width() >= 6 && window.Height() >= 3;
  const int frame = framed_ ? 1 : 0;
  const int longest =
      std::min(std::max(TextColumns(question_, code_page_), TextColumns(hint_, code_page_)), 30000);
  const int width = std::max(kMinWidth, longest + 2 * (frame + kMargin));
  const int row_count = std::min<int>(kRowCount, window.Height() - 2 * frame);
  std::array<bool, kRowCount> kept{};
  for (int i = 0; i < row_count; ++i) kept[kKeptOrder[static_cast<std::size_t>(i)]] = true;

  box_ = PlaceDialog(window, width, row_count + 2 * frame, column_, row_);
  if (box_.IsEmpty()) return box_;

  int y = box_.top + frame;
  for (Row row : kShownOrder)
    if (kept[row]) rows_[row] = y++;
  const int inner_left = box_.left + frame;
  const int inner_right = box_.right - frame;
  const int inner_width = inner_right - inner_left + 1;
  margin_ = inner_width >= 2 * kMargin + 16 ? kMargin : inner_width >= 6 ? 1 : 0;
  text_left_ = inner_left + margin_;
  text_width_ = std::max(1, inner_width - 2 * margin_);
  if (Shows(kButtons)) LayoutButtons(buttons_, inner_left, inner_right, rows_[kButtons]);
  field_.KeepCursorVisible(text_width_);
  return box_;
}

void InputBox::Draw(ConsoleDevice& device) {
  FillRect(device, box_, Cell{' ', dialog_style::kBox});
  if (framed_) DrawFrame(device, box_, dialog_style::kFrame);
  const auto left = static_cast<int16_t>(text_left_);
  if (Shows(kQuestion))
    WriteText(device, {left, static_cast<int16_t>(rows_[kQuestion])}, question_, dialog_style::kTitle,
              text_width_);
  if (Shows(kHint))
    WriteText(device, {left, static_cast<int16_t>(rows_[kHint])}, hint_, dialog_style::kHint, text_width_);
  DrawButton(device, buttons_[0], true);
  DrawButton(device, buttons_[1], false);
  DrawField(device);
}

// Rewrites the field's row (the field and the marks beside it) and puts the
// cursor at the insertion point; the rest of the box stays as drawn. A wide
// glyph that would pass the field's end is left for the next scroll.
void InputBox::DrawField(ConsoleDevice& device) {
  const auto y = static_cast<int16_t>(rows_[kField]);
  if (y < 0) return;
  TextField::View view = field_.Show(text_width_, dialog_style::kField);
  WriteCells(device, {static_cast<int16_t>(text_left_), y}, std::move(view.cells));
  if (margin_ > 0) {
    const Cell left_mark{view.more_left ? dialog_style::kMoreLeft : U' ', dialog_style::kTitle};
    const Cell right_mark{view.more_right ? dialog_style::kMoreRight : U' ', dialog_style::kTitle};
    device.WriteCells({static_cast<int16_t>(text_left_ - 1), y}, std::span<const Cell>(&left_mark, 1));
    device.WriteCells({static_cast<int16_t>(text_left_ + text_width_), y}, std::span<const Cell>(&right_mark, 1));
  }
  device.SetCursorPosition({static_cast<int16_t>(text_left_ + view.cursor), y});
  SetCursorShown(device, true);
}

DialogResult InputBox::OnKey(ConsoleDevice& device, const KeyEvent& key) {
  if (IsEnterKey(key)) return DialogResult::kOk;
  if (IsCancelKey(key)) return DialogResult::kCancel;
  if (!field_.Edit(key)) return DialogResult::kOpen;
  field_.KeepCursorVisible(text_width_);
  DrawField(device);
  return DialogResult::kOpen;
}

// A paste goes in at the insertion point, as far as the answer has room; its line
// breaks never answer the box.
DialogResult InputBox::OnPaste(ConsoleDevice& device, std::u32string_view text) {
  field_.Paste(text);
  field_.KeepCursorVisible(text_width_);
  DrawField(device);
  return DialogResult::kOpen;
}

// A left click on a button closes the box with it; a click in the field moves
// the insertion point there.
DialogResult InputBox::OnMouse(ConsoleDevice& device, const MouseEvent& mouse) {
  if (!IsLeftPress(mouse)) return DialogResult::kOpen;
  if (buttons_[0].Hit(mouse.position)) return DialogResult::kOk;
  if (buttons_[1].Hit(mouse.position)) return DialogResult::kCancel;
  const InclusiveRect field =
      InclusiveRect::FromSize({ClampToInt16(text_left_), ClampToInt16(rows_[kField])}, text_width_, 1);
  if (Shows(kField) && field.Contains(mouse.position)) {
    field_.PlaceCursor(mouse.position.x - text_left_);
    field_.KeepCursorVisible(text_width_);
    DrawField(device);
  }
  return DialogResult::kOpen;
}

}  // namespace

Text RunInputBox(ConsoleDevice& device, int32_t column_position, int32_t row_position, const Text& question,
                 const Text& hint, const Text& default_answer, std::size_t limit) {
  InputBox box(device.TextCodePage(), column_position, row_position, question, hint, default_answer, limit);
  return RunDialog(device, box) == DialogResult::kOk ? box.Answer() : Text();
}

}  // namespace zul
