#include "dialogs/list_box.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

#include "device/byte_keys.h"
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

constexpr int kMaxWidth = 70;    // the widest the box grows
constexpr int kMinListRows = 5;  // the list keeps this many rows when the window has them, even for fewer names
constexpr int kWheelRows = 3;    // rows one wheel notch scrolls
constexpr std::string_view kKeyHelp = "Space mark  Ctrl+A all  / filter  Enter OK  Esc cancel";
constexpr std::string_view kNoNames = "(no names)";
constexpr std::string_view kNoMatch = "(no name matches the filter)";
constexpr std::string_view kFilterLabel = "Filter: ";
constexpr std::size_t kFilterLimit = 255;  // bytes of a filter: a name's at most

// The rows of the box, top to bottom: heading and hint above the list (as many
// screen rows as it takes), the rest below it.
enum Row { kHeading, kHint, kList, kStatus, kKeys, kButtons, kRowCount };
// The rows the filter field may take, the first shown of them: the box's last text row.
constexpr std::array<Row, 4> kFieldRows = {kKeys, kStatus, kHint, kHeading};
// The rows a short window keeps, most needed first; the list always keeps one row.
constexpr std::array<int, kRowCount> kKeptOrder = {kList, kButtons, kHeading, kStatus, kHint, kKeys};

// The place PlaceDialog centres a box of `size` cells on, along one axis of a
// window that starts at `start` and is `room` cells long: `asked` > 0 puts the
// box's first cell there (counted from 1), else the box is centred.
int32_t PlacementCentre(int32_t asked, int start, int room, int size) {
  const int64_t first = asked > 0 ? static_cast<int64_t>(asked) - 1 : start + (room - size) / 2;
  return static_cast<int32_t>(std::clamp<int64_t>(first + 1 + size / 2, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// What the keys go to: the list, or the filter field open on the last text row.
enum class Focus { kList, kFilter };

class ListBox : public Dialog {
 public:
  ListBox(ListBoxModel& model, const CodePage& code_page, MonotonicClock& clock, int32_t left, int32_t top,
          const Text& heading, const Text& hint)
      : model_(model),
        code_page_(code_page),
        clock_(clock),
        asked_left_(left),
        asked_top_(top),
        heading_(heading),
        hint_(hint),
        field_(code_page, kFilterLimit) {}

  InclusiveRect Layout(const BufferInfo& info) override;
  void Draw(ConsoleDevice& device) override;
  DialogResult OnKey(ConsoleDevice& device, const KeyEvent& key) override;
  DialogResult OnMouse(ConsoleDevice& device, const MouseEvent& mouse) override;
  DialogResult OnPaste(ConsoleDevice& device, std::u32string_view text) override;

 private:
  // What a list row shows: a name by its place in the whole list (or none, -1,
  // or the note that no name matches, -2), marked or not, highlighted or not.
  struct RowLook {
    int index = -1;
    bool marked = false;
    bool highlighted = false;
    bool operator==(const RowLook&) const = default;
  };
  // The scroll bar's track (rows counted from the list's first) and its thumb.
  struct Thumb {
    int track_first = 0;
    int track_rows = 0;
    int first = 0;
    int rows = 0;
  };

  bool Shows(Row row) const { return rows_[row] >= 0; }
  // The row the filter field takes; kRowCount when the box shows none of them.
  Row FieldRow() const;
  void DrawTextRow(ConsoleDevice& device, Row row);
  void DrawField(ConsoleDevice& device);
  void OpenField(ConsoleDevice& device);
  void CloseField(ConsoleDevice& device);
  DialogResult OnListKey(ConsoleDevice& device, const KeyEvent& key);
  void OnFieldKey(ConsoleDevice& device, const KeyEvent& key);
  void FilterChanged(ConsoleDevice& device);
  RowLook LookOf(int row) const;
  void Refresh(ConsoleDevice& device);
  void PlaceCursorOnHighlight(ConsoleDevice& device);
  void DrawRow(ConsoleDevice& device, int row, const RowLook& look);
  void DrawScrollBar(ConsoleDevice& device);
  Thumb ThumbNow() const;
  std::string StatusText() const;
  void ClickScrollBar(int row);
  DialogResult ClickName(int index, const MouseEvent& mouse, bool previous_plain);

  ListBoxModel& model_;
  const CodePage& code_page_;
  MonotonicClock& clock_;
  int32_t asked_left_;  // the corner the caller asked for, from 1; 0 or less: centred
  int32_t asked_top_;
  Text heading_;
  Text hint_;

  InclusiveRect box_;
  bool framed_ = false;
  int margin_ = 0;                     // blanks between the frame and the texts
  int text_left_ = 0;                  // first column of the texts and the list
  int text_width_ = 0;                 // and their width in cells
  std::array<int, kRowCount> rows_{};  // screen row of each row, -1 when not shown
  int list_rows_ = 0;                  // rows the list shows; 0 when nothing is laid out
  int name_width_ = 0;                 // cells of a list row left of the scroll bar
  int bar_x_ = -1;                     // the scroll bar's column, -1 when the list has none
  OkCancelButtons buttons_;
  Focus focus_ = Focus::kList;
  TextField field_;               // the filter as typed
  bool last_press_plain_ = true;  // the last left press had neither Ctrl nor Shift

  // What is on the screen now, so that only what changes is written again.
  std::vector<std::pair<bool, RowLook>> drawn_rows_;  // per list row: drawn yet, and how
  int drawn_top_ = -1;                                // the view the scroll bar shows
  int drawn_count_ = -1;                              // and the names shown it counts
  std::string drawn_status_;
  bool status_drawn_ = false;
};

// Laying the box out:
// 1. a frame when the window has room for one and three rows inside it;
// 2. the width: up to kMaxWidth, leaving a margin in a narrow window;
// 3. the rows: all five besides the list when they leave the list a row, else
//    the most needed ones; the list takes the rest, up to what its names need;
// 4. the place: at the asked corner or centred, inside the window;
// 5. the rows and columns of texts, list, scroll bar and buttons.
InclusiveRect ListBox::Layout(const BufferInfo& info) {
  const InclusiveRect& window = info.window;
  rows_.fill(-1);
  list_rows_ = 0;
  bar_x_ = -1;
  buttons_.Hide();
  drawn_rows_.clear();
  drawn_top_ = -1;
  status_drawn_ = false;
  box_ = kEmptyRect;
  if (window.IsEmpty()) return box_;
  const int window_width = window.Width();
  const int window_height = window.Height();

  framed_ = window_width >= 8 && window_height >= 5;
  const int frame = framed_ ? 1 : 0;
  const int width = std::min(kMaxWidth, window_width >= 24 ? window_width - 4 : window_width);
  const int inside = window_height - (window_height >= 12 ? 2 : 0) - 2 * frame;
  const int fixed = std::clamp(inside - 1, 0, kRowCount - 1);  // the rows besides the list
  const int list_rows = std::min(inside - fixed, std::max(model_.Total(), kMinListRows));
  const int height = fixed + list_rows + 2 * frame;
  box_ = PlaceDialog(window, width, height, PlacementCentre(asked_left_, window.left, window_width, width),
                     PlacementCentre(asked_top_, window.top, window_height, height));
  if (box_.Width() != width || box_.Height() != height) {
    box_ = kEmptyRect;
    return box_;
  }

  StackRows(kKeptOrder, fixed + 1, box_.top + frame, rows_, kList, list_rows);
  list_rows_ = list_rows;

  const int inner_left = box_.left + frame;
  const int inner_right = box_.right - frame;
  const int inner_width = inner_right - inner_left + 1;
  margin_ = inner_width >= 20 ? 1 : 0;
  text_left_ = inner_left + margin_;
  text_width_ = inner_width - 2 * margin_;
  name_width_ = text_width_;
  if (model_.Total() > list_rows_ && text_width_ >= 2) {
    bar_x_ = text_left_ + text_width_ - 1;
    name_width_ = text_width_ - 1;
  }
  buttons_.Layout(inner_left, inner_right, rows_[kButtons]);
  model_.SetRows(list_rows_);
  drawn_rows_.assign(static_cast<std::size_t>(list_rows_), {false, RowLook{}});
  return box_;
}

void ListBox::Draw(ConsoleDevice& device) {
  if (list_rows_ == 0) return;
  FillRect(device, box_, Cell{' ', dialog_style::kBox});
  if (framed_) DrawFrame(device, box_, dialog_style::kFrame);
  for (Row row : {kHeading, kHint, kKeys}) DrawTextRow(device, row);
  buttons_.Draw(device, code_page_);
  for (auto& row : drawn_rows_) row.first = false;
  drawn_top_ = -1;
  status_drawn_ = false;
  Refresh(device);
  if (focus_ == Focus::kFilter) DrawField(device);
}

Row ListBox::FieldRow() const {
  for (Row row : kFieldRows)
    if (Shows(row)) return row;
  return kRowCount;
}

// A text row as it shows with the field closed; the status line is Refresh's.
void ListBox::DrawTextRow(ConsoleDevice& device, Row row) {
  if (row == kRowCount || !Shows(row)) return;
  const Coord at{ClampToInt16(text_left_), ClampToInt16(rows_[row])};
  switch (row) {
    case kHeading:
      WriteText(device, code_page_, at, heading_, dialog_style::kTitle, text_width_);
      break;
    case kHint:
      WriteText(device, code_page_, at, hint_, dialog_style::kHint, text_width_);
      break;
    case kKeys:
      WriteText(device, code_page_, at, kKeyHelp, dialog_style::kHint, text_width_);
      break;
    default:
      status_drawn_ = false;
      break;
  }
}

// The field's row: the label, then the filter as far as it fits, the cursor at
// the insertion point. A row too narrow for the label shows the field alone. With
// margins the marks stand beside the field: ◄ on the label's closing blank, ► in
// the right margin.
void ListBox::DrawField(ConsoleDevice& device) {
  const Row row = FieldRow();
  if (row == kRowCount) return;
  auto label = static_cast<int>(kFilterLabel.size()) < text_width_ / 2 ? kFilterLabel : std::string_view();
  const auto label_width = static_cast<int>(label.size());  // ASCII: a cell a byte
  const bool marks = margin_ > 0 && !label.empty();
  if (marks) label.remove_suffix(1);
  DrawFieldRow(device, code_page_, field_, {ClampToInt16(text_left_ + label_width), ClampToInt16(rows_[row])},
               text_width_ - label_width, marks, label);
}

// `/` or Ctrl+F: the field opens on the last text row holding the filter in force.
void ListBox::OpenField(ConsoleDevice& device) {
  focus_ = Focus::kFilter;
  DrawField(device);
}

// Back to the list: the field's row shows what it showed before, its right margin
// blank again, and the cursor hides.
void ListBox::CloseField(ConsoleDevice& device) {
  focus_ = Focus::kList;
  const Row row = FieldRow();
  if (row != kRowCount && margin_ > 0)
    WriteText(device, code_page_, {ClampToInt16(text_left_ + text_width_), ClampToInt16(rows_[row])}, " ",
              dialog_style::kBox);
  DrawTextRow(device, row);
  SetCursorShown(device, false);
  Refresh(device);
}

ListBox::RowLook ListBox::LookOf(int row) const {
  const int index = model_.Top() + row;
  if (index >= model_.Count()) return RowLook{row == 0 && model_.Total() > 0 ? -2 : -1};
  return RowLook{model_.ListIndex(index), model_.Marked(index), index == model_.Highlight()};
}

// Writes again only what differs from the screen: list rows whose name, mark
// or pointer changed (all of them when the list scrolled), the scroll bar when
// the view moved, and the status line when its text changed.
void ListBox::Refresh(ConsoleDevice& device) {
  if (list_rows_ == 0) return;
  for (int row = 0; row < list_rows_; ++row) {
    auto& drawn = drawn_rows_[static_cast<std::size_t>(row)];
    const RowLook look = LookOf(row);
    if (drawn.first && drawn.second == look) continue;
    DrawRow(device, row, look);
    drawn = {true, look};
  }
  if (drawn_top_ != model_.Top() || drawn_count_ != model_.Count()) {
    DrawScrollBar(device);
    drawn_top_ = model_.Top();
    drawn_count_ = model_.Count();
  }
  if (Shows(kStatus) && !(focus_ == Focus::kFilter && FieldRow() == kStatus)) {
    std::string status = StatusText();
    if (!status_drawn_ || status != drawn_status_) {
      WriteText(device, code_page_, {ClampToInt16(text_left_), ClampToInt16(rows_[kStatus])}, status,
                dialog_style::kListStatus, text_width_);
      drawn_status_ = std::move(status);
      status_drawn_ = true;
    }
  }
  if (focus_ == Focus::kList) PlaceCursorOnHighlight(device);
}

// While the list has the keys the cursor, hidden, stands on the highlighted name's
// pointer, where a screen reader or a magnifier that follows the cursor finds it;
// with no name shown, at the start of the list's first row, which says why.
void ListBox::PlaceCursorOnHighlight(ConsoleDevice& device) {
  const int row = model_.Count() > 0 ? model_.Highlight() - model_.Top() : 0;
  device.SetCursorPosition({ClampToInt16(text_left_), ClampToInt16(rows_[kList] + row)});
}

// One list row, in one write: the pointer column (the pointer when the name is
// highlighted), the mark column (the check mark when it is marked), a blank and
// the name cut to the row. The highlighted name is a bar of its own colours from
// the pointer to its last cell; the blanks after it keep the list's colours. A row
// too narrow for all of it keeps the pointer first, then the mark.
void ListBox::DrawRow(ConsoleDevice& device, int row, const RowLook& look) {
  using namespace dialog_style;
  if (name_width_ < 1) return;
  const auto width = static_cast<std::size_t>(name_width_);
  std::vector<Cell> cells;
  cells.reserve(width);
  std::string_view text;
  uint16_t text_attribute = kField;
  if (look.index >= 0) {
    if (look.highlighted) text_attribute = kHighlight;
    const Cell pointer = look.highlighted ? Cell{kPointerSign, kHighlight} : Cell{U' ', kField};
    const Cell mark{look.marked ? kMarkSign : U' ', look.highlighted ? kHighlight : kMarked};
    if (width == 1) {
      cells.push_back(look.highlighted || !look.marked ? pointer : mark);
    } else {
      cells.push_back(pointer);
      cells.push_back(mark);
      if (width >= 4) cells.push_back(Cell{U' ', text_attribute});
    }
    text = model_.ListName(look.index);
  } else if (look.index == -2) {
    text = kNoMatch;
  } else if (row == 0 && model_.Total() == 0) {
    text = kNoNames;
  }
  AppendTextCells(text, code_page_, text_attribute, static_cast<int>(width - cells.size()), cells);
  cells.resize(width, Cell{U' ', kField});
  device.WriteCells({ClampToInt16(text_left_), ClampToInt16(rows_[kList] + row)}, cells);
}

ListBox::Thumb ListBox::ThumbNow() const {
  Thumb thumb;
  const bool arrows = list_rows_ >= 3;
  thumb.track_first = arrows ? 1 : 0;
  thumb.track_rows = arrows ? list_rows_ - 2 : list_rows_;
  const int64_t count = std::max(model_.Count(), 1);
  const int64_t hidden = std::max<int64_t>(count - list_rows_, 1);
  thumb.rows = static_cast<int>(
      std::clamp<int64_t>(thumb.track_rows * int64_t{list_rows_} / count, 1, std::max(thumb.track_rows, 1)));
  thumb.first = thumb.track_first + static_cast<int>(int64_t{thumb.track_rows - thumb.rows} *
                                                     std::min<int64_t>(model_.Top(), hidden) / hidden);
  return thumb;
}

void ListBox::DrawScrollBar(ConsoleDevice& device) {
  using namespace dialog_style;
  if (bar_x_ < 0) return;
  const Thumb thumb = ThumbNow();
  for (int row = 0; row < list_rows_; ++row) {
    char32_t sign = kScrollTrack;
    if (row < thumb.track_first)
      sign = kArrowUp;
    else if (row >= thumb.track_first + thumb.track_rows)
      sign = kArrowDown;
    else if (row >= thumb.first && row < thumb.first + thumb.rows)
      sign = kScrollThumb;
    const Cell cell{sign, kField};
    device.WriteCells({ClampToInt16(bar_x_), ClampToInt16(rows_[kList] + row)}, std::span<const Cell>(&cell, 1));
  }
}

// "3 marked" at the left and the names shown, "21-40 of 1000", at the right;
// while a filter is in force, how many it shows, "12 of 1000 shown". It changes
// with the marks, the view and the filter, not with the highlight: a key that
// only moves the pointer leaves it alone.
std::string ListBox::StatusText() const {
  std::string marked = std::to_string(model_.MarkedCount()) + " marked";
  if (model_.Total() == 0) return marked;
  const int last = std::min(model_.Top() + list_rows_, model_.Count());
  const std::string position =
      model_.Filtering() ? std::to_string(model_.Count()) + " of " + std::to_string(model_.Total()) + " shown"
                         : std::to_string(model_.Top() + 1) + "-" + std::to_string(last) + " of " +
                               std::to_string(model_.Count());
  const std::size_t width = static_cast<std::size_t>(std::max(text_width_, 0));
  const std::size_t used = marked.size() + position.size();
  marked.append(used < width ? width - used : 1, ' ');
  return marked + position;
}

DialogResult ListBox::OnKey(ConsoleDevice& device, const KeyEvent& key) {
  if (focus_ == Focus::kList) return OnListKey(device, key);
  if (IsCancelKey(key) && !IsEscapeKey(key)) return DialogResult::kCancel;
  OnFieldKey(device, key);
  return DialogResult::kOpen;
}

// A paste is something to look for: it opens the filter field when the list has
// the keys, and goes in at the field's insertion point.
DialogResult ListBox::OnPaste(ConsoleDevice& device, std::u32string_view text) {
  if (text.empty()) return DialogResult::kOpen;
  focus_ = Focus::kFilter;
  field_.Paste(text);
  FilterChanged(device);
  return DialogResult::kOpen;
}

// In the field: characters and editing keys change the filter, and the list
// follows at once; Enter, Tab or Down go back to the list with the filter in
// force, Esc clears it. Control characters are not typed.
void ListBox::OnFieldKey(ConsoleDevice& device, const KeyEvent& key) {
  if (IsEnterKey(key) || key.key == vk::kTab || key.character == typed::kTab || key.key == vk::kDown) {
    CloseField(device);
    return;
  }
  if (IsEscapeKey(key)) {
    field_.Clear();
    model_.SetFilter(Text());
    CloseField(device);
    return;
  }
  if (IsTypedCharacter(key) && ShownCharacter(key.character) != key.character) return;
  if (field_.Edit(key)) FilterChanged(device);
}

// The field may hold another filter: the list follows it, and the field is drawn.
void ListBox::FilterChanged(ConsoleDevice& device) {
  if (field_.Value() != model_.Filter()) {
    model_.SetFilter(field_.Value());
    Refresh(device);
  }
  DrawField(device);
}

// In the list. A movement with Shift marks from the anchor to where it lands
// (adding to the marks with Ctrl too), as Shift+click does; without Shift it
// moves the anchor along.
DialogResult ListBox::OnListKey(ConsoleDevice& device, const KeyEvent& key) {
  if (IsEnterKey(key)) return DialogResult::kOk;
  if (IsEscapeKey(key)) {
    if (!model_.Filtering()) return DialogResult::kCancel;
    field_.Clear();
    model_.SetFilter(Text());
    Refresh(device);
    return DialogResult::kOpen;
  }
  if (IsCancelKey(key)) return DialogResult::kCancel;
  const bool ctrl = (key.modifiers & modifier::kCtrl) != 0;
  const bool shift = (key.modifiers & modifier::kShift) != 0;
  if (IsCtrlLetter(key, 'F') || (IsTypedCharacter(key) && key.character == '/')) {
    OpenField(device);
    return DialogResult::kOpen;
  }
  if (key.key == vk::kSpace || key.character == ' ') {
    model_.Toggle(model_.Highlight());
    model_.SetAnchor(model_.Highlight());
  } else if (IsCtrlLetter(key, 'A')) {
    model_.ToggleAll();
  } else if (IsTypedCharacter(key)) {
    if (model_.TypeAhead(key.character, clock_.NowMs())) model_.SetAnchor(model_.Highlight());
  } else {
    if (shift) model_.HoldAnchor();
    switch (key.key) {
      case vk::kUp:
        model_.MoveBy(-1);
        break;
      case vk::kDown:
        model_.MoveBy(1);
        break;
      case vk::kPrior:
        model_.PageUp();
        break;
      case vk::kNext:
        model_.PageDown();
        break;
      case vk::kHome:
        model_.MoveTo(0);
        break;
      case vk::kEnd:
        model_.MoveTo(model_.Count() - 1);
        break;
      default:
        return DialogResult::kOpen;
    }
    if (shift)
      model_.MarkRange(model_.Highlight(), ctrl);
    else
      model_.SetAnchor(model_.Highlight());
  }
  Refresh(device);
  return DialogResult::kOpen;
}

// A click on an arrow scrolls a row; on the track above or below the thumb, a page.
void ListBox::ClickScrollBar(int row) {
  const Thumb thumb = ThumbNow();
  if (row < thumb.track_first) {
    model_.ScrollBy(-1);
  } else if (row >= thumb.track_first + thumb.track_rows) {
    model_.ScrollBy(1);
  } else if (row < thumb.first) {
    model_.ScrollBy(-list_rows_);
  } else if (row >= thumb.first + thumb.rows) {
    model_.ScrollBy(list_rows_);
  }
}

// A click on a name: alone it marks that name only; with Ctrl it toggles it;
// with Shift it marks the range from the anchor (adding to the marks with Ctrl
// too); a double click of two plain clicks marks it and closes the box with OK.
DialogResult ListBox::ClickName(int index, const MouseEvent& mouse, bool previous_plain) {
  const bool ctrl = (mouse.modifiers & modifier::kCtrl) != 0;
  const bool shift = (mouse.modifiers & modifier::kShift) != 0;
  if (IsPlainDoubleClick(mouse, previous_plain)) {
    model_.SetMark(index, true);
    model_.MoveTo(index);
    return DialogResult::kOk;
  }
  if (shift) {
    model_.MarkRange(index, ctrl);
  } else {
    if (ctrl)
      model_.Toggle(index);
    else
      model_.MarkOnly(index);
    model_.SetAnchor(index);
  }
  model_.MoveTo(index);
  return DialogResult::kOpen;
}

DialogResult ListBox::OnMouse(ConsoleDevice& device, const MouseEvent& mouse) {
  if (list_rows_ == 0) return DialogResult::kOpen;
  if ((mouse.flags & mouse::kWheeled) != 0) {
    if (mouse.wheel != 0) model_.ScrollBy(mouse.wheel > 0 ? -kWheelRows : kWheelRows);
    Refresh(device);
    return DialogResult::kOpen;
  }
  if (!IsLeftPress(mouse)) return DialogResult::kOpen;
  const bool previous_plain = std::exchange(last_press_plain_, IsPlainPress(mouse));
  if (focus_ == Focus::kFilter) CloseField(device);
  if (const DialogResult hit = buttons_.Hit(mouse.position); hit != DialogResult::kOpen) return hit;
  const InclusiveRect list =
      InclusiveRect::FromSize({ClampToInt16(text_left_), ClampToInt16(rows_[kList])}, text_width_, list_rows_);
  if (!list.Contains(mouse.position)) return DialogResult::kOpen;
  const int row = mouse.position.y - rows_[kList];
  if (mouse.position.x == bar_x_) {
    ClickScrollBar(row);
  } else {
    const int index = model_.Top() + row;
    if (index >= model_.Count()) return DialogResult::kOpen;
    if (ClickName(index, mouse, previous_plain) == DialogResult::kOk) return DialogResult::kOk;
  }
  Refresh(device);
  return DialogResult::kOpen;
}

}  // namespace

Text RunListBox(ConsoleDevice& device, const CodePage& code_page, MonotonicClock& clock, int32_t left, int32_t top,
                const Text& heading, const Text& hint, std::vector<Text> names, bool multiple, int first_shown) {
  ListBoxModel model(std::move(names), multiple, first_shown, code_page);
  ListBox box(model, code_page, clock, left, top, heading, hint);
  return RunDialog(device, box) == DialogResult::kOk ? model.Answer() : Text();
}

}  // namespace zul
