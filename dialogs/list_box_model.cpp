#include "dialogs/list_box_model.h"

#include <algorithm>

#include "base/upper_case.h"
#include "base/wildcard.h"

namespace zul {

ListBoxModel::ListBoxModel(std::vector<Text> names, bool multiple, int first_highlighted,
                           const CodePage& code_page)
    : code_page_(code_page), names_(std::move(names)), marks_(names_.size(), 0), multiple_(multiple) {
  keys_.reserve(names_.size());
  for (const Text& name : names_) keys_.push_back(UpperCasedCharacters(name, code_page_));
  shown_.resize(names_.size());
  for (std::size_t i = 0; i < shown_.size(); ++i) shown_[i] = static_cast<int>(i);
  MoveTo(Valid(first_highlighted) ? first_highlighted : 0);
}

int ListBoxModel::ShownIndex(int list_index) const {
  const auto it = std::lower_bound(shown_.begin(), shown_.end(), list_index);
  return it != shown_.end() && *it == list_index ? static_cast<int>(it - shown_.begin()) : -1;
}

int ListBoxModel::Anchor() const {
  const int shown = anchor_ >= 0 ? ShownIndex(anchor_) : -1;
  return shown >= 0 ? shown : highlight_;
}

void ListBoxModel::SetFilter(const Text& pattern) {
  if (!shown_.empty()) highlighted_ = ListIndex(highlight_);
  filter_ = pattern;
  shown_.clear();
  const std::u32string wanted = U"*" + UpperCasedCharacters(pattern, code_page_) + U"*";
  const bool whole_names = wanted.find(U'.') != std::u32string::npos;
  for (int i = 0; i < Total(); ++i) {
    std::u32string_view key = keys_[static_cast<std::size_t>(i)];
    if (!whole_names) key = key.substr(0, std::min(key.size(), key.rfind(U'.')));
    if (pattern.empty() || MatchesWildcard<char32_t>(wanted, key)) shown_.push_back(i);
  }
  highlight_ = 0;
  first_in_view_ = 0;
  if (shown_.empty()) return;
  const auto next = std::lower_bound(shown_.begin(), shown_.end(), highlighted_);
  MoveTo(next == shown_.end() ? Count() - 1 : static_cast<int>(next - shown_.begin()));
}

void ListBoxModel::SetRows(int rows) {
  rows_ = std::max(1, rows);
  MoveTo(highlight_);
}

void ListBoxModel::ClampTop() { first_in_view_ = std::clamp(first_in_view_, 0, std::max(0, Count() - rows_)); }

void ListBoxModel::MoveTo(int index) {
  if (shown_.empty()) return;
  highlight_ = std::clamp(index, 0, Count() - 1);
  if (highlight_ < first_in_view_) first_in_view_ = highlight_;
  if (highlight_ >= first_in_view_ + rows_) first_in_view_ = highlight_ - rows_ + 1;
  ClampTop();
}

void ListBoxModel::PageDown() {
  if (shown_.empty()) return;
  first_in_view_ += rows_;
  ClampTop();
  MoveTo(highlight_ + rows_);
}

void ListBoxModel::PageUp() {
  if (shown_.empty()) return;
  first_in_view_ -= rows_;
  ClampTop();
  MoveTo(highlight_ - rows_);
}

void ListBoxModel::ScrollBy(int delta) {
  if (shown_.empty()) return;
  first_in_view_ = static_cast<int>(std::clamp<int64_t>(static_cast<int64_t>(first_in_view_) + delta, 0, Count()));
  ClampTop();
  highlight_ = std::clamp(highlight_, first_in_view_, std::min(first_in_view_ + rows_, Count()) - 1);
}

bool ListBoxModel::StartsWith(int index, const std::u32string& prefix) const {
  const std::u32string& key = keys_[static_cast<std::size_t>(ListIndex(index))];
  return key.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), key.begin());
}

// 1. A pause longer than kTypeAheadPauseMs since the last character starts a new prefix.
// 2. One character typed again and again steps on from the highlight to the next
//    name starting with it; a longer prefix looks from the highlight itself, so
//    that the name found so far stays while it still starts with the prefix.
// 3. The prefix is composed and upper-cased whole, as the names are, so that a
//    combining mark typed after its letter joins it.
bool ListBoxModel::TypeAhead(char32_t character, int64_t now_ms) {
  if (now_ms - last_typed_ms_ > kTypeAheadPauseMs) prefix_.clear();
  last_typed_ms_ = now_ms;
  prefix_.push_back(character);
  const char32_t first = UpperCaseLetter(prefix_.front());
  const bool repeated =
      std::all_of(prefix_.begin(), prefix_.end(), [&](char32_t c) { return UpperCaseLetter(c) == first; });
  const std::u32string wanted = UpperCasedCharacters(repeated ? prefix_.substr(0, 1) : prefix_);
  for (int step = repeated ? 1 : 0; step <= Count() && !shown_.empty(); ++step) {
    const int index = (highlight_ + step) % Count();
    if (StartsWith(index, wanted)) {
      MoveTo(index);
      return true;
    }
  }
  return false;
}

void ListBoxModel::ClearMarks() {
  std::fill(marks_.begin(), marks_.end(), uint8_t{0});
  marked_count_ = 0;
}

void ListBoxModel::ClearShownMarks() {
  for (int list_index : shown_) SetListMark(list_index, false);
}

void ListBoxModel::SetListMark(int list_index, bool marked) {
  uint8_t& mark = marks_[static_cast<std::size_t>(list_index)];
  if ((mark != 0) == marked) return;
  if (marked && !multiple_) ClearMarks();
  mark = marked ? 1 : 0;
  marked_count_ += marked ? 1 : -1;
}

void ListBoxModel::SetMark(int index, bool marked) {
  if (Valid(index)) SetListMark(ListIndex(index), marked);
}

void ListBoxModel::Toggle(int index) {
  if (Valid(index)) SetMark(index, !Marked(index));
}

void ListBoxModel::MarkOnly(int index) {
  if (!Valid(index)) return;
  ClearShownMarks();
  SetMark(index, true);
}

void ListBoxModel::MarkRange(int index, bool keep_others) {
  if (!Valid(index)) return;
  if (!multiple_) {
    SetMark(index, true);
    return;
  }
  const int from = std::min(Anchor(), index);
  const int to = std::max(Anchor(), index);
  if (!keep_others) ClearShownMarks();
  for (int i = from; i <= to; ++i) SetMark(i, true);
}

void ListBoxModel::ToggleAll() {
  if (!multiple_) {
    ClearMarks();
    return;
  }
  const bool all = std::all_of(shown_.begin(), shown_.end(),
                               [&](int list_index) { return marks_[static_cast<std::size_t>(list_index)] != 0; });
  for (int list_index : shown_) SetListMark(list_index, !all);
}

void ListBoxModel::SetAnchor(int index) {
  if (Valid(index)) anchor_ = ListIndex(index);
}

Text ListBoxModel::Answer() const {
  if (marked_count_ == 0) return shown_.empty() ? Text() : Name(highlight_);
  std::size_t size = 0;
  for (int i = 0; i < Total(); ++i)
    if (marks_[static_cast<std::size_t>(i)] != 0) size += ListName(i).size() + 1;
  Text answer;
  answer.reserve(size);
  for (int i = 0; i < Total(); ++i) {
    if (marks_[static_cast<std::size_t>(i)] == 0) continue;
    if (!answer.empty()) answer.push_back('\0');
    answer.append(ListName(i));
  }
  return answer;
}

}  // namespace zul
