#include "consoletools/input_box.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "consoletools/dialog.h"
#include "consoletools/dialog_style.h"
#include "device/text_cells.h"

namespace zul {

namespace {

constexpr int kMinWidth = 40;
constexpr int kMargin = 2;  // blanks between the frame and the texts

// The rows of the box inside its frame, top to bottom.
enum Row { kTopBlank, kQuestion, kField, kHint, kLowBlank, kButtons, kRowCount };
constexpr std::array<Row, kRowCount> kShownOrder = {kTopBlank, kQuestion, kField, kHint, kLowBlank, kButtons};
// The rows a short window keeps, most needed first.
constexpr std::array<Row, kRowCount> kKeptOrder = {kField, kQuestion, kButtons, kHint, kLowBlank, kTopBlank};

// One glyph of the answer: the bytes that spell it and how it shows. The answer is
// edited glyph by glyph, so that a character, with the marks over it, is moved over
// and deleted whole.
struct Piece {
  std::string bytes;
  char32_t character = U' ';
  char32_t mark = 0;
  int width = 1;
};

class InputBox : public Dialog {
 public:
  InputBox(const CodePage& code_page, int32_t column, int32_t row, const Text& question, const Text& hint,
           const Text& answer, std::size_t limit)
      : code_page_(code_page), column_(column), row_(row), question_(question), hint_(hint), limit_(limit) {
    const Text start = answer.substr(0, limit);
    for (const Glyph& glyph : Glyphs(start, code_page_))
      pieces_.push_back(Piece{start.substr(glyph.offset, glyph.length), glyph.character, glyph.mark, glyph.width});
    bytes_ = start.size();
    cursor_ = pieces_.size();
  }

  InclusiveRect Layout(const BufferInfo& info) override;
  void Draw(ConsoleDevice& device) override;
  DialogResult OnKey(ConsoleDevice& device, const KeyEvent& key) override;
  DialogResult OnMouse(ConsoleDevice& device, const MouseEvent& mouse) override;

  Text Answer() const;

 private:
  bool Shows(Row row) const { return rows_[row] >= 0; }
  bool Edit(const KeyEvent& key);
  void Type(char32_t character);
  void KeepCursorVisible();
  void DrawField(ConsoleDevice& device);
  // The cells the pieces [from, to) take.
  int Columns(std::size_t from, std::size_t to) const;

  const CodePage& code_page_;
  int32_t column_;
  int32_t row_;
  Text question_;
  Text hint_;
  std::vector<Piece> pieces_;
  std::size_t bytes_ = 0;  // the bytes of all the pieces
  std::size_t limit_;
  std::size_t cursor_ = 0;  // insertion point, 0..pieces_.size()
  std::size_t scroll_ = 0;  // the first piece the field shows

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

Text InputBox::Answer() const {
  Text answer;
  answer.reserve(bytes_);
  for (const Piece& piece : pieces_) answer += piece.bytes;
  return answer;
}

int InputBox::Columns(std::size_t from, std::size_t to) const {
  int columns = 0;
  for (std::size_t i = from; i < to; ++i) columns += pieces_[i].width;
  return columns;
}

// Rewrites the field's row (the field and the marks beside it) and puts the
// cursor at the insertion point; the rest of the box stays as drawn. A wide
// glyph that would pass the field's end is left for the next scroll.
void InputBox::DrawField(ConsoleDevice& device) {
  const auto y = static_cast<int16_t>(rows_[kField]);
  if (y < 0) return;
  std::vector<Cell> cells;
  int used = 0;
  std::size_t end = scroll_;
  for (; end < pieces_.size() && used + pieces_[end].width <= text_width_; ++end) {
    const Piece& piece = pieces_[end];
    AppendGlyphCells(Glyph{0, 0, piece.character, piece.mark, piece.width}, dialog_style::kField, cells);
    used += piece.width;
  }
  cells.resize(static_cast<std::size_t>(text_width_), Cell{U' ', dialog_style::kField});
  WriteCells(device, {static_cast<int16_t>(text_left_), y}, std::move(cells));
  if (margin_ > 0) {
    const Cell left_mark{scroll_ > 0 ? dialog_style::kMoreLeft : U' ', dialog_style::kTitle};
    const Cell right_mark{end < pieces_.size() ? dialog_style::kMoreRight : U' ', dialog_style::kTitle};
    device.WriteCells({static_cast<int16_t>(text_left_ - 1), y}, std::span<const Cell>(&left_mark, 1));
    device.WriteCells({static_cast<int16_t>(text_left_ + text_width_), y}, std::span<const Cell>(&right_mark, 1));
  }
  device.SetCursorPosition({static_cast<int16_t>(text_left_ + Columns(scroll_, cursor_)), y});
  SetCursorShown(device, true);
}

// Scrolls the field so that the insertion point and the glyph at it are inside
// it, and no further than needed to show the end of the answer and the cell
// after it.
void InputBox::KeepCursorVisible() {
  if (cursor_ < scroll_) scroll_ = cursor_;
  const int at_cursor = cursor_ < pieces_.size() ? pieces_[cursor_].width : 1;
  int before = Columns(scroll_, cursor_);
  while (scroll_ < cursor_ && before + at_cursor > text_width_) before -= pieces_[scroll_++].width;
  std::size_t furthest = pieces_.size();
  for (int room = text_width_ - 1; furthest > 0 && pieces_[furthest - 1].width <= room;)
    room -= pieces_[--furthest].width;
  scroll_ = std::min(scroll_, furthest);
}

// A typed character goes in at the insertion point as the bytes that spell it in
// the code page; one that none spell, or that would pass the limit, is not typed.
// A mark joins the glyph before the insertion point.
void InputBox::Type(char32_t character) {
  std::string bytes;
  if (!code_page_.Encode(character, bytes) || bytes_ + bytes.size() > limit_) return;
  bytes_ += bytes.size();
  const char32_t shown = ShownCharacter(character);
  if (CharacterWidth(shown) == 0) {
    if (cursor_ == 0) {
      pieces_.insert(pieces_.begin(), Piece{bytes, U' ', shown, 1});
      ++cursor_;
      return;
    }
    Piece& before = pieces_[cursor_ - 1];
    before.bytes += bytes;
    if (before.mark == 0) before.mark = shown;
    return;
  }
  pieces_.insert(pieces_.begin() + static_cast<std::ptrdiff_t>(cursor_++),
                 Piece{bytes, shown, 0, CharacterWidth(shown)});
}

// Applies an editing key; false when the key does nothing here.
bool InputBox::Edit(const KeyEvent& key) {
  auto erase = [&](std::size_t at) {
    bytes_ -= pieces_[at].bytes.size();
    pieces_.erase(pieces_.begin() + static_cast<std::ptrdiff_t>(at));
  };
  if (key.key == vk::kBack) {
    if (cursor_ > 0) erase(--cursor_);
    return true;
  }
  if (IsTypedCharacter(key)) {
    Type(key.character);
    return true;
  }
  switch (key.key) {
    case vk::kLeft:
      if (cursor_ > 0) --cursor_;
      return true;
    case vk::kRight:
      if (cursor_ < pieces_.size()) ++cursor_;
      return true;
    case vk::kHome:
      cursor_ = 0;
      return true;
    case vk::kEnd:
      cursor_ = pieces_.size();
      return true;
    case vk::kDelete:
      if (cursor_ < pieces_.size()) erase(cursor_);
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
  const InclusiveRect field =
      InclusiveRect::FromSize({ClampToInt16(text_left_), ClampToInt16(rows_[kField])}, text_width_, 1);
  if (Shows(kField) && field.Contains(mouse.position)) {
    int left = mouse.position.x - text_left_;
    cursor_ = scroll_;
    while (cursor_ < pieces_.size() && left >= pieces_[cursor_].width) left -= pieces_[cursor_++].width;
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
  InputBox box(device.TextCodePage(), column_position, row_position, question, hint, default_answer, limit);
  return RunDialog(device, box) == DialogResult::kOk ? box.Answer() : Text();
}

}  // namespace zul
