#include "consoletools/input_box.h"

#include <algorithm>
#include <array>

#include "consoletools/dialog.h"
#include "consoletools/dialog_style.h"

namespace zul {

namespace {

constexpr int kMinWidth = 40;
constexpr int kMargin = 2;            // blanks between the frame and the texts
constexpr uint8_t kMoreLeft = 0x11;   // shown beside the field when the answer runs on to the left
constexpr uint8_t kMoreRight = 0x10;  // and to the right

// The rows of the box inside its frame, top to bottom.
enum Row { kTopBlank, kQuestion, kField, kHint, kLowBlank, kButtons, kRowCount };
constexpr std::array<Row, kRowCount> kShownOrder = {kTopBlank, kQuestion, kField, kHint, kLowBlank, kButtons};
// The rows a short window keeps, most needed first.
constexpr std::array<Row, kRowCount> kKeptOrder = {kField, kQuestion, kButtons, kHint, kLowBlank, kTopBlank};

class InputBox : public Dialog {
 public:
  InputBox(int32_t column, int32_t row, const Text& question, const Text& hint, const Text& answer,
           std::size_t limit)
      : column_(column),
        row_(row),
        question_(question),
        hint_(hint),
        text_(answer.substr(0, limit)),
        limit_(limit),
        cursor_(text_.size()) {}

  InclusiveRect Layout(const BufferInfo& info) override;
  void Draw(ConsoleDevice& device) override;
  DialogResult OnKey(ConsoleDevice& device, const KeyEvent& key) override;
  DialogResult OnMouse(ConsoleDevice& device, const MouseEvent& mouse) override;

  const Text& Answer() const { return text_; }

 private:
  bool Shows(Row row) const { return rows_[row] >= 0; }
  bool Edit(const KeyEvent& key);
  void KeepCursorVisible();
  void DrawField(ConsoleDevice& device);

  int32_t column_;
  int32_t row_;
  Text question_;
  Text hint_;
  Text text_;
  std::size_t limit_;
  std::size_t cursor_;      // insertion point, 0..text_.size()
  std::size_t scroll_ = 0;  // the first byte the field shows

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
  const auto longest = static_cast<int>(std::min<std::size_t>(std::max(question_.size(), hint_.size()), 30000));
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
  KeepCursorVisible();
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
// cursor at the insertion point; the rest of the box stays as drawn.
void InputBox::DrawField(ConsoleDevice& device) {
  const auto y = static_cast<int16_t>(rows_[kField]);
  if (y < 0) return;
  const std::string_view shown = std::string_view(text_).substr(std::min(scroll_, text_.size()));
  WriteText(device, {static_cast<int16_t>(text_left_), y}, shown, dialog_style::kField, text_width_);
  if (margin_ > 0) {
    const bool more_left = scroll_ > 0;
    const bool more_right = text_.size() > scroll_ + static_cast<std::size_t>(text_width_);
    const Cell left_mark{more_left ? kMoreLeft : uint8_t{' '}, dialog_style::kTitle};
    const Cell right_mark{more_right ? kMoreRight : uint8_t{' '}, dialog_style::kTitle};
    device.WriteCells({static_cast<int16_t>(text_left_ - 1), y}, std::span<const Cell>(&left_mark, 1));
    device.WriteCells({static_cast<int16_t>(text_left_ + text_width_), y}, std::span<const Cell>(&right_mark, 1));
  }
  device.SetCursorPosition({static_cast<int16_t>(text_left_ + static_cast<int>(cursor_ - scroll_)), y});
  SetCursorShown(device, true);
}

// Scrolls the field so that the insertion point is inside it, and no further
// than needed to show the end of the answer and the cell after it.
void InputBox::KeepCursorVisible() {
  const auto width = static_cast<std::size_t>(text_width_);
  if (cursor_ < scroll_) scroll_ = cursor_;
  if (cursor_ >= scroll_ + width) scroll_ = cursor_ - width + 1;
  const std::size_t furthest = text_.size() + 1 > width ? text_.size() + 1 - width : 0;
  scroll_ = std::min(scroll_, furthest);
}

// Applies an editing key; false when the key does nothing here.
bool InputBox::Edit(const KeyEvent& key) {
  if (key.key == vk::kBack) {
    if (cursor_ == 0) return true;
    text_.erase(--cursor_, 1);
    return true;
  }
  if (IsTypedByte(key)) {
    if (text_.size() >= limit_) return true;
    text_.insert(cursor_++, 1, static_cast<char>(key.byte));
    return true;
  }
  switch (key.key) {
    case vk::kLeft:
      if (cursor_ > 0) --cursor_;
      return true;
    case vk::kRight:
      if (cursor_ < text_.size()) ++cursor_;
      return true;
    case vk::kHome:
      cursor_ = 0;
      return true;
    case vk::kEnd:
      cursor_ = text_.size();
      return true;
    case vk::kDelete:
      if (cursor_ < text_.size()) text_.erase(cursor_, 1);
      return true;
    default:
      return false;
  }
}

DialogResult InputBox::OnKey(ConsoleDevice& device, const KeyEvent& key) {
  if (IsEnterKey(key)) return DialogResult::kOk;
  if (IsCancelKey(key)) return DialogResult::kCancel;
  if (!Edit(key)) return DialogResult::kOpen;
  KeepCursorVisible();
  DrawField(device);
  return DialogResult::kOpen;
}

// A left click on a button closes the box with it; a click in the field moves
// the insertion point there.
DialogResult InputBox::OnMouse(ConsoleDevice& device, const MouseEvent& mouse) {
  if (!IsLeftPress(mouse)) return DialogResult::kOpen;
  if (buttons_[0].Hit(mouse.position)) return DialogResult::kOk;
  if (buttons_[1].Hit(mouse.position)) return DialogResult::kCancel;
  const InclusiveRect field = InclusiveRect::FromSize({Short(text_left_), Short(rows_[kField])}, text_width_, 1);
  if (Shows(kField) && field.Contains(mouse.position)) {
    cursor_ = std::min(text_.size(), scroll_ + static_cast<std::size_t>(mouse.position.x - text_left_));
    KeepCursorVisible();
    DrawField(device);
  }
  return DialogResult::kOpen;
}

}  // namespace

Text RunInputBox(ConsoleDevice& device, int32_t /*buttons*/, int32_t column_position, int32_t row_position,
                 const Text& question, const Text& hint, const Text& default_answer, int32_t /*focus*/,
                 int32_t max_length) {
  const auto limit =
      static_cast<std::size_t>(max_length <= 0 || max_length > kInputBoxLimit ? kInputBoxLimit : max_length);
  InputBox box(column_position, row_position, question, hint, default_answer, limit);
  return RunDialog(device, box) == DialogResult::kOk ? box.Answer() : Text();
}

}  // namespace zul
