#include "tests/support/terminal_replay.h"

#include <algorithm>

#include "base/code_page.h"
#include "device/text_cells.h"

namespace zul::testing {

namespace {

// Shows bytes with escapes, for error messages.
std::string Visible(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text;
  for (const char c : bytes) {
    const auto byte = static_cast<uint8_t>(c);
    if (byte == 0x1B) {
      text += "ESC";
    } else if (byte < 0x20 || byte >= 0x7F) {
      text += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 15];
    } else {
      text += c;
    }
  }
  return text;
}

// The length of the UTF-8 sequence that `lead` starts, or 0 when it starts none.
int Utf8Length(uint8_t lead) {
  if (lead >= 0x20 && lead < 0x7F) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

}  // namespace

TerminalReplay::TerminalReplay(Coord size, uint32_t seed) : random_(seed | 1) { Resize(size); }

uint32_t TerminalReplay::Random() {
  random_ ^= random_ << 13;
  random_ ^= random_ >> 17;
  random_ ^= random_ << 5;
  return random_;
}

void TerminalReplay::Fail(const std::string& what) { errors_.push_back(what); }

void TerminalReplay::Garbage() {
  for (Shown& cell : cells_) {
    cell.glyph = std::string(1, static_cast<char>('!' + Random() % 90));
    cell.foreground = 30 + static_cast<int>(Random() % 8);
    cell.background = 40 + static_cast<int>(Random() % 8);
  }
}

void TerminalReplay::Resize(Coord size) {
  size_ = {std::max<int16_t>(size.x, 0), std::max<int16_t>(size.y, 0)};
  cells_.assign(static_cast<std::size_t>(size_.x) * static_cast<std::size_t>(size_.y), Shown{});
  Garbage();
  x_known_ = y_known_ = false;
}

void TerminalReplay::Scribble() {
  Garbage();
  foreground_ = 30 + static_cast<int>(Random() % 8);
  background_ = 40 + static_cast<int>(Random() % 8);
  other_attributes_ = true;
  x_known_ = y_known_ = false;
  cursor_visible_ = true;
  autowrap_ = true;
  mouse_buttons_ = mouse_sgr_ = bracketed_paste_ = false;
  title_ = "another program";
}

// Splits the bytes into glyphs, control sequences (ESC [ ... final), title
// sequences (ESC ] 2 ; text BEL), the one-row moves (ESC D, ESC M, ESC E),
// carriage returns, line feeds and backspaces; anything else is an error.
void TerminalReplay::Feed(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto byte = static_cast<uint8_t>(bytes[i]);
    if (byte < 0x20) last_put_ = -1;
    if (byte == '\r') {
      x_ = 0;
      x_known_ = true;
      ++i;
      continue;
    }
    if (byte == '\n') {
      LineFeed();
      ++i;
      continue;
    }
    if (byte == '\b') {
      // At the first column a backspace stays; after the last one terminals
      // differ. Neither is a move to rely on.
      if (!x_known_) {
        Fail("backspace from an unknown column");
      } else if (x_ == 0) {
        Fail("backspace at the first column");
      } else {
        --x_;
      }
      ++i;
      continue;
    }
    if (byte == 0x1B && i + 1 < bytes.size() &&
        (bytes[i + 1] == 'D' || bytes[i + 1] == 'M' || bytes[i + 1] == 'E')) {
      OneRow(bytes[i + 1]);
      i += 2;
      continue;
    }
    if (byte == 0x1B && i + 1 < bytes.size() && bytes[i + 1] == '[') {
      std::size_t j = i + 2;
      char marker = 0;
      if (j < bytes.size() && bytes[j] == '?') marker = bytes[j++];
      std::vector<int> parameters;
      std::string number;
      bool any = false;
      while (j < bytes.size() && ((bytes[j] >= '0' && bytes[j] <= '9') || bytes[j] == ';')) {
        any = true;
        if (bytes[j] == ';') {
          parameters.push_back(number.empty() ? -1 : std::stoi(number));
          number.clear();
        } else if (number.size() < 6) {
          number += bytes[j];
        }
        ++j;
      }
      if (any) parameters.push_back(number.empty() ? -1 : std::stoi(number));
      if (j >= bytes.size()) {
        Fail("unfinished sequence " + Visible(bytes.substr(i)));
        return;
      }
      Control(bytes.substr(i, j + 1 - i), marker, parameters, bytes[j]);
      i = j + 1;
      continue;
    }
    if (byte == 0x1B && i + 1 < bytes.size() && bytes[i + 1] == ']') {
      const std::size_t end = bytes.find('\x07', i);
      if (end == std::string_view::npos) {
        Fail("unfinished title " + Visible(bytes.substr(i)));
        return;
      }
      const std::string_view body = bytes.substr(i + 2, end - i - 2);
      if (body.substr(0, 2) != "2;") Fail("unknown OSC " + Visible(body));
      for (const char c : body)
        if (static_cast<uint8_t>(c) < 0x20 || c == 0x7F) Fail("control byte in title " + Visible(body));
      title_ = std::string(body.substr(std::min<std::size_t>(2, body.size())));
      i = end + 1;
      continue;
    }
    const int length = Utf8Length(byte);
    if (length == 0 || i + static_cast<std::size_t>(length) > bytes.size()) {
      Fail("unexpected byte " + Visible(bytes.substr(i, 8)));
      ++i;
      continue;
    }
    std::string glyph(bytes.substr(i, static_cast<std::size_t>(length)));
    bool valid = true;
    for (int k = 1; k < length; ++k) valid = valid && (static_cast<uint8_t>(glyph[k]) & 0xC0) == 0x80;
    // C1 controls (U+0080..U+009F) are not glyphs.
    if (!valid || (length == 2 && byte == 0xC2 && static_cast<uint8_t>(glyph[1]) < 0xA0)) {
      Fail("bad UTF-8 " + Visible(glyph));
    } else {
      Put(std::move(glyph));
    }
    i += static_cast<std::size_t>(length);
  }
}

// A line feed, which the presenter sends only to leave a run cut short below
// what it drew: one row down in the same column; on the last row the rows
// scroll up and the new last row is blank in the current background.
void TerminalReplay::LineFeed() {
  if (!y_known_) return Fail("line feed from an unknown row");
  if (y_ + 1 < size_.y) {
    ++y_;
    return;
  }
  const std::size_t width = static_cast<std::size_t>(size_.x);
  cells_.erase(cells_.begin(), cells_.begin() + static_cast<std::ptrdiff_t>(width));
  cells_.resize(cells_.size() + width, Shown{" ", foreground_, background_});
}

// Index (down), reverse index (up) and next line (down, to the first column).
// At the edge they would scroll the terminal, which the presenter never wants.
void TerminalReplay::OneRow(char final) {
  const std::string name = std::string("ESC ") + final;
  if (!y_known_) return Fail("one-row move from an unknown row " + name);
  const int to = y_ + (final == 'M' ? -1 : 1);
  if (to < 0 || to >= size_.y) return Fail("one-row move that scrolls " + name);
  y_ = to;
  if (final == 'E') {
    x_ = 0;
    x_known_ = true;
  }
}

// A character that takes no cell joins the glyph written just before it; a wide
// one takes its cell and the next, which then holds "" (the right half). Writing
// over either half of a wide character blanks the other, as xterm does.
void TerminalReplay::Put(std::string glyph) {
  const char32_t character = Utf8CodePage().Decode(glyph).character;
  const int width = CharacterWidth(character);
  if (width == 0) {
    if (last_put_ < 0) return Fail("mark '" + glyph + "' written after no glyph");
    cells_[static_cast<std::size_t>(last_put_)].glyph += glyph;
    return;
  }
  last_put_ = -1;
  if (!CursorKnown()) Fail("glyph '" + glyph + "' written where the cursor's place is not known");
  if (autowrap_) Fail("glyph '" + glyph + "' written with autowrap on");
  if (other_attributes_) Fail("glyph '" + glyph + "' written with other attributes still set");
  if (!CursorKnown() || x_ >= size_.x || y_ >= size_.y) return;
  if (x_ + width > size_.x) return Fail("wide glyph '" + glyph + "' written in the last column");
  BreakWideAt(x_, x_ + width);
  last_put_ = y_ * size_.x + x_;
  Shown& cell = cells_[static_cast<std::size_t>(last_put_)];
  cell = Shown{std::move(glyph), foreground_, background_};
  if (width == 2) cells_[static_cast<std::size_t>(last_put_ + 1)] = Shown{"", foreground_, background_};
  // Autowrap is off: the cursor stays in the last column. Terminals differ on
  // what follows, so its place counts as unknown there.
  if (x_ + width < size_.x) {
    x_ += width;
  } else {
    x_known_ = false;
  }
}

void TerminalReplay::BreakWideAt(int from, int to) {
  const std::size_t row = static_cast<std::size_t>(y_ * size_.x);
  if (from > 0 && cells_[row + static_cast<std::size_t>(from)].glyph.empty())
    cells_[row + static_cast<std::size_t>(from - 1)].glyph = " ";
  if (to < size_.x && cells_[row + static_cast<std::size_t>(to)].glyph.empty())
    cells_[row + static_cast<std::size_t>(to)].glyph = " ";
}

void TerminalReplay::Erase(int from, int to) {
  last_put_ = -1;
  BreakWideAt(from, to);
  for (int x = from; x < to; ++x) {
    Shown& cell = cells_[static_cast<std::size_t>(y_ * size_.x + x)];
    cell = Shown{" ", foreground_, background_};
  }
}

void TerminalReplay::Control(std::string_view sequence, char private_marker, const std::vector<int>& parameters,
                             char final) {
  last_put_ = -1;
  const int first = parameters.empty() || parameters[0] < 0 ? 0 : parameters[0];
  const int count = first == 0 ? 1 : first;
  const std::string name = Visible(sequence);
  if (private_marker == '?') {
    if (parameters.size() != 1 || (final != 'h' && final != 'l')) return Fail("unknown mode sequence " + name);
    const bool on = final == 'h';
    switch (first) {
      case 7:
        autowrap_ = on;
        return;
      case 25:
        cursor_visible_ = on;
        return;
      case 1000:
        mouse_buttons_ = on;
        return;
      case 1006:
        mouse_sgr_ = on;
        return;
      case 2004:
        bracketed_paste_ = on;
        return;
      default:
        return Fail("unknown mode " + name);
    }
  }
  const bool one_parameter = parameters.size() <= 1;
  switch (final) {
    case 'm':
      return Graphic(parameters);
    case 'H': {
      if (parameters.size() > 2) return Fail("bad cursor position " + name);
      const int row = parameters.empty() || parameters[0] <= 0 ? 1 : parameters[0];
      const int column = parameters.size() < 2 || parameters[1] <= 0 ? 1 : parameters[1];
      if (row > size_.y || column > size_.x) return Fail("cursor position off the terminal " + name);
      x_ = column - 1;
      y_ = row - 1;
      x_known_ = y_known_ = true;
      return;
    }
    case 'A':
    case 'B':
      if (!one_parameter) return Fail("bad sequence " + name);
      if (!y_known_) return Fail("vertical move from an unknown row " + name);
      y_ += final == 'A' ? -count : count;
      if (y_ < 0 || y_ >= size_.y) Fail("vertical move off the terminal " + name);
      y_ = std::clamp(y_, 0, size_.y - 1);
      return;
    case 'G':
      if (!one_parameter) return Fail("bad sequence " + name);
      if (count > size_.x) return Fail("column off the terminal " + name);
      x_ = count - 1;
      x_known_ = true;
      return;
    case 'C':
    case 'D':
      if (!one_parameter) return Fail("bad sequence " + name);
      if (!x_known_) return Fail("horizontal move from an unknown column " + name);
      x_ += final == 'D' ? -count : count;
      if (x_ < 0 || x_ >= size_.x) Fail("horizontal move off the terminal " + name);
      x_ = std::clamp(x_, 0, size_.x - 1);
      return;
    case 'J':
      if (parameters.size() != 1 || first != 2) return Fail("unknown erase " + name);
      for (Shown& cell : cells_) cell = Shown{" ", foreground_, background_};
      return;
    case 'K':
    case 'X':
      if (!one_parameter || (final == 'K' && first != 0)) return Fail("unknown erase " + name);
      if (!CursorKnown()) return Fail("erase at an unknown place " + name);
      Erase(x_, final == 'K' ? size_.x : std::min<int>(size_.x, x_ + count));
      return;
    default:
      return Fail("unknown sequence " + name);
  }
}

void TerminalReplay::Graphic(const std::vector<int>& parameters) {
  const std::vector<int> codes = parameters.empty() ? std::vector<int>{0} : parameters;
  for (const int code : codes) {
    if (code <= 0) {
      foreground_ = 39;
      background_ = 49;
      other_attributes_ = false;
    } else if ((code >= 30 && code <= 37) || (code >= 90 && code <= 97) || code == 39) {
      foreground_ = code;
    } else if ((code >= 40 && code <= 47) || (code >= 100 && code <= 107) || code == 49) {
      background_ = code;
    } else {
      Fail("unknown graphic rendition " + std::to_string(code));
    }
  }
}

}  // namespace zul::testing
