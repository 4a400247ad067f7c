// The list box of the console-tools library: a framed box that offers the names
// of a list descriptor, lets the user mark one or several of them and answers the
// marked names. It draws only through the console device; it does not know the
// chooser, and it never changes the caller's table.
#pragma once

#include <cstdint>
#include <vector>

#include "base/text.h"
#include "consoletools/list_descriptor.h"
#include "device/console_device.h"

namespace zul {

// The most entries a list descriptor may describe; a longer one offers no names.
constexpr uint32_t kListBoxMaxEntries = 32767;

// The names `list` offers: its non-empty entries in table order. A name ends at
// its first zero byte (the answer separates names with zero bytes), so an entry
// that starts with one is empty too. A null descriptor, null data, a dimension
// count other than 1, an entry type other than text, an entry size other than a
// byte string's, or an entry count that is not upper - lower + 1 (or above
// kListBoxMaxEntries) offers no names.
std::vector<Text> ReadListNames(const ListDescriptor* list);

// What the list box knows apart from its looks: the names, which are marked,
// the highlighted one, the anchor of a range, and the window of `Rows()` names
// the list shows from `Top()`. Every index is counted from 0 in the order shown;
// calls with an index outside the names do nothing. In single selection
// (`multiple` false) at most one name is marked: marking one unmarks the others.
class ListBoxModel {
 public:
  ListBoxModel(std::vector<Text> names, bool multiple, int first_highlighted);

  int Count() const { return static_cast<int>(names_.size()); }
  const Text& Name(int index) const { return names_[static_cast<std::size_t>(index)]; }
  bool Marked(int index) const { return marks_[static_cast<std::size_t>(index)] != 0; }
  int MarkedCount() const { return marked_count_; }
  // The highlighted name; 0 for an empty list.
  int Highlight() const { return highlight_; }
  // The first name shown and the number of rows the list shows (at least 1).
  int Top() const { return top_; }
  int Rows() const { return rows_; }
  // The name a Shift+click range starts from: the last clicked one, else the highlight.
  int Anchor() const { return anchor_ >= 0 ? anchor_ : highlight_; }

  // The list shows `rows` rows (1 at least); the view moves to keep the highlight in it.
  void SetRows(int rows);
  // Highlights `index` (clamped to the names) and scrolls as little as shows it.
  void MoveTo(int index);
  void MoveBy(int delta) { MoveTo(highlight_ + delta); }
  // A page down or up: the view and the highlight move by a page, within the names.
  void PageDown();
  void PageUp();
  // Moves the view by `delta` rows (positive: towards the end), the highlight staying.
  void ScrollBy(int delta);
  // Highlights the next name after the highlighted one whose first character, read
  // in `code_page`, is `character` (ASCII letters in either case), going round to
  // the first; false when none does.
  bool JumpTo(char32_t character, const CodePage& code_page);

  void SetMark(int index, bool marked);
  void Toggle(int index);
  // Marks `index` alone.
  void MarkOnly(int index);
  // Marks the names from the anchor to `index`; the other names stay marked only
  // with `keep_others`. In single selection only `index` is marked.
  void MarkRange(int index, bool keep_others);
  // Marks every name, or none when all are marked already. In single selection
  // it unmarks the marked name.
  void ToggleAll();
  void SetAnchor(int index);

  // The answer on OK: the marked names in order, separated by single zero bytes;
  // when none is marked, the highlighted name; the empty text for an empty list.
  Text Answer() const;

 private:
  bool Valid(int index) const { return index >= 0 && index < Count(); }
  void ClampTop();
  void ClearMarks();

  std::vector<Text> names_;
  std::vector<uint8_t> marks_;
  bool multiple_;
  int marked_count_ = 0;
  int highlight_ = 0;
  int top_ = 0;
  int rows_ = 1;
  int anchor_ = -1;
};

// Runs the list box until it closes and returns the answer: on OK (Enter, the
// OK button, a double click on a name) ListBoxModel::Answer(), on Cancel (Esc,
// Ctrl+C, the Cancel button, the end of the input) the empty text.
// `left`, `top` > 0 put the box's top-left corner at that column and row,
// counted from 1 at the top left of the buffer, moved into the window; 0 or
// less centres it in the window on that axis. `sorted` != 0 shows the names in
// byte order, else in table order. `multiple` != 0 lets several names be
// marked, else one. `first_shown` is the name the highlight starts on, counted
// from 0; outside the names it starts on the first. Every value of `buttons`
// gives OK and Cancel. Heading and hint are shown byte for byte. What the box
// covered, and the cursor, are put back when it closes.
Text RunListBox(ConsoleDevice& device, int32_t buttons, int32_t left, int32_t top, const Text& heading,
                const Text& hint, const ListDescriptor* list, int32_t sorted, int32_t multiple,
                int32_t first_shown);

}  // namespace zul
