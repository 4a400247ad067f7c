#include "dialogs/text_field.h"

#include <algorithm>

#include "device/text_cells.h"
#include "dialogs/dialog_keys.h"

namespace zul {

TextField::TextField(const CodePage& code_page, std::size_t limit, const Text& start)
    : code_page_(code_page), limit_(limit) {
  const Text kept = start.substr(0, limit);
  pieces_ = PiecesOf(kept);
  bytes_ = kept.size();
  cursor_ = pieces_.size();
}

std::vector<TextField::Piece> TextField::PiecesOf(const Text& text) const {
  std::vector<Piece> pieces;
  for (const Glyph& glyph : Glyphs(text, code_page_))
    pieces.push_back(Piece{text.substr(glyph.offset, glyph.length), glyph.character, glyph.mark, glyph.width});
  return pieces;
}

Text TextField::Value() const {
  Text value;
  value.reserve(bytes_);
  for (const Piece& piece : pieces_) value += piece.bytes;
  return value;
}

Text TextField::BeforeCursor() const {
  Text before;
  for (std::size_t i = 0; i < cursor_; ++i) before += pieces_[i].bytes;
  return before;
}

bool TextField::ReplaceBeforeCursor(const Text& before) {
  std::size_t after_bytes = 0;
  for (std::size_t i = cursor_; i < pieces_.size(); ++i) after_bytes += pieces_[i].bytes.size();
  if (before.size() + after_bytes > limit_) return false;
  std::vector<Piece> pieces = PiecesOf(before);
  const std::size_t cursor = pieces.size();
  pieces.insert(pieces.end(), pieces_.begin() + static_cast<std::ptrdiff_t>(cursor_), pieces_.end());
  pieces_ = std::move(pieces);
  ++revision_;
  cursor_ = cursor;
  bytes_ = before.size() + after_bytes;
  return true;
}

void TextField::Clear() {
  ++revision_;
  pieces_.clear();
  bytes_ = 0;
  cursor_ = 0;
  scroll_ = 0;
}

int TextField::Columns(std::size_t from, std::size_t to) const {
  int columns = 0;
  for (std::size_t i = from; i < to; ++i) columns += pieces_[i].width;
  return columns;
}

TextField::View TextField::Show(int width, uint16_t attribute) const {
  View view;
  int used = 0;
  std::size_t end = scroll_;
  for (; end < pieces_.size() && used + pieces_[end].width <= width; ++end) {
    const Piece& piece = pieces_[end];
    AppendGlyphCells(Glyph{0, 0, piece.character, piece.mark, piece.width}, attribute, view.cells);
    used += piece.width;
  }
  view.cells.resize(static_cast<std::size_t>(std::max(width, 0)), Cell{U' ', attribute});
  view.cursor = Columns(scroll_, cursor_);
  view.more_left = scroll_ > 0;
  view.more_right = end < pieces_.size();
  return view;
}

void TextField::KeepCursorVisible(int width) {
  if (cursor_ < scroll_) scroll_ = cursor_;
  const int at_cursor = cursor_ < pieces_.size() ? pieces_[cursor_].width : 1;
  int before = Columns(scroll_, cursor_);
  while (scroll_ < cursor_ && before + at_cursor > width) before -= pieces_[scroll_++].width;
  std::size_t furthest = pieces_.size();
  for (int room = width - 1; furthest > 0 && pieces_[furthest - 1].width <= room;)
    room -= pieces_[--furthest].width;
  scroll_ = std::min(scroll_, furthest);
}

void TextField::PlaceCursor(int column) {
  cursor_ = scroll_;
  while (cursor_ < pieces_.size() && column >= pieces_[cursor_].width) column -= pieces_[cursor_++].width;
}

bool TextField::StartsWithLoneMark() const {
  if (pieces_.empty()) return false;
  const Spelled first = code_page_.Decode(pieces_.front().bytes);
  return first.length != 0 && CharacterWidth(ShownCharacter(first.character)) == 0;
}

void TextField::Type(char32_t character) {
  std::string bytes;
  if (!code_page_.Encode(character, bytes) || bytes_ + bytes.size() > limit_) return;
  bytes_ += bytes.size();
  ++revision_;
  const char32_t shown = ShownCharacter(character);
  // Typed before a lone mark, a character takes the mark over it, and a mark joins it
  // as the one shown: the text read afresh would join them so.
  if (cursor_ == 0 && StartsWithLoneMark()) {
    Piece& first = pieces_.front();
    first.bytes.insert(0, bytes);
    if (CharacterWidth(shown) == 0) {
      first.mark = shown;
    } else {
      first.character = shown;
      first.width = CharacterWidth(shown);
    }
    cursor_ = 1;
    return;
  }
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

void TextField::Paste(std::u32string_view text) {
  for (const char32_t character : text) {
    std::string bytes;
    if (!code_page_.Encode(character, bytes)) continue;
    if (bytes_ + bytes.size() > limit_) return;
    Type(character);
  }
}

bool TextField::Edit(const KeyEvent& key) {
  auto erase = [&](std::size_t at) {
    ++revision_;
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

}  // namespace zul
