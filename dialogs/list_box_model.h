// The list box's state, apart from its looks. Pure: no console and no drawing; the
// list box (list_box.h) shows it and turns keys and clicks into its calls.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/code_page.h"
#include "base/text.h"

namespace zul {

// The pause after which typed characters start a new prefix for type-ahead.
constexpr int64_t kTypeAheadPauseMs = 1000;

// What the list box knows apart from its looks: the names, which are marked,
// the filter and the names it shows, the highlighted one, the anchor of a
// range, and the window of `Rows()` names the list shows from `Top()`. Indexes
// count from 0 among the names shown, in list order; calls with an index
// outside them do nothing. Without a filter every name is shown. Marks belong to
// the names and outlast every change of filter; marking keys act on the shown
// names only. In single selection (`multiple` false) at most one name is marked:
// marking one unmarks the others. Names and what is typed are read as characters
// in `code_page` and compared canonically composed and upper-cased
// (UpperCasedCharacters): the order of the names and the bytes answered stay theirs.
class ListBoxModel {
 public:
  ListBoxModel(std::vector<Text> names, bool multiple, int first_highlighted,
               const CodePage& code_page = Utf8CodePage());

  // The names shown, and all of them.
  int Count() const { return static_cast<int>(shown_.size()); }
  int Total() const { return static_cast<int>(names_.size()); }
  // The place in the whole list of the shown name `index`.
  int ListIndex(int index) const { return shown_[static_cast<std::size_t>(index)]; }
  const Text& Name(int index) const { return ListName(ListIndex(index)); }
  const Text& ListName(int list_index) const { return names_[static_cast<std::size_t>(list_index)]; }
  bool Marked(int index) const { return marks_[static_cast<std::size_t>(ListIndex(index))] != 0; }
  // The names marked, shown or not.
  int MarkedCount() const { return marked_count_; }
  // The highlighted name; 0 when none is shown.
  int Highlight() const { return highlight_; }
  // The first name shown and the number of rows the list shows (at least 1).
  int Top() const { return first_in_view_; }
  int Rows() const { return rows_; }
  // The name a range starts from: the one last clicked, or moved to, marked or
  // found without Shift, while it is shown; else the highlight.
  int Anchor() const;

  // The filter in force: names that contain `pattern`, `*` standing for any
  // characters and `?` for one. A pattern without a `.` looks at the names without
  // their extension (from their last `.` on), which every name of a list of course
  // files shares; one with a `.` at the whole names. The empty pattern shows every
  // name. The
  // highlight stays on its name when that is shown, else moves to the next shown
  // one in list order (or the last); through a filter that shows none it keeps
  // the name it was on.
  void SetFilter(const Text& pattern);
  const Text& Filter() const { return filter_; }
  bool Filtering() const { return !filter_.empty(); }

  // The list shows `rows` rows (1 at least); the view moves to keep the highlight in it.
  void SetRows(int rows);
  // Highlights `index` (clamped to the names) and scrolls as little as shows it.
  void MoveTo(int index);
  void MoveBy(int delta) { MoveTo(highlight_ + delta); }
  // A page down or up: the view and the highlight move by a page, within the names.
  void PageDown();
  void PageUp();
  // Moves the view by `delta` rows (positive: towards the end). The highlight stays
  // on its name while that is in view, else goes to the nearest row in view, so
  // that the highlighted name is always one the list shows.
  void ScrollBy(int delta);
  // Type-ahead: `character`, typed at `now_ms`, joins the characters typed before
  // it with no pause longer than kTypeAheadPauseMs between them. The highlight
  // goes to the first name from it on that starts with them all, going round; a
  // character typed again and again steps to the next name that starts with it.
  // False when no name is found (the highlight stays).
  bool TypeAhead(char32_t character, int64_t now_ms);

  void SetMark(int index, bool marked);
  void Toggle(int index);
  // Marks `index` alone among the names shown.
  void MarkOnly(int index);
  // Marks the names from the anchor to `index`; the other names shown stay
  // marked only with `keep_others`. In single selection only `index` is marked.
  // The one rule for Shift with a click and with a movement key.
  void MarkRange(int index, bool keep_others);
  // Marks every name shown, or unmarks them when all are marked already. In
  // single selection it unmarks the marked name.
  void ToggleAll();
  void SetAnchor(int index);
  // Fixes the anchor where Anchor() is now, so that the highlight can move away
  // from it: before a movement with Shift.
  void HoldAnchor() { SetAnchor(Anchor()); }

  // The answer on OK: the marked names, shown or not, in list order, separated
  // by single zero bytes; when none is marked, the highlighted name; the empty
  // text when no name is shown.
  Text Answer() const;

 private:
  bool Valid(int index) const { return index >= 0 && index < Count(); }
  // The place among the names shown of the name at `list_index`; -1 when hidden.
  int ShownIndex(int list_index) const;
  bool StartsWith(int index, const std::u32string& prefix) const;
  void ClampTop();
  void SetListMark(int list_index, bool marked);
  void ClearMarks();
  void ClearShownMarks();

  const CodePage& code_page_;
  std::vector<Text> names_;
  std::vector<std::u32string> keys_;  // each name's characters, composed, letters upper-cased
  std::vector<uint8_t> marks_;        // per name of the whole list
  std::vector<int> shown_;            // the list indexes of the names shown, ascending
  bool multiple_;
  int marked_count_ = 0;
  Text filter_;
  int highlight_ = 0;
  int first_in_view_ = 0;  // the first name the list shows
  int rows_ = 1;
  int anchor_ = -1;        // a list index, -1 for none
  int highlighted_ = 0;    // the list index last highlighted, kept while no name is shown
  std::u32string prefix_;  // the characters typed for type-ahead, as typed
  int64_t last_typed_ms_ = 0;
};

}  // namespace zul
