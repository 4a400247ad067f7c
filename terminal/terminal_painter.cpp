#include "terminal/terminal_painter.h"

#include <algorithm>
#include <array>
#include <span>
#include <utility>

#include "terminal/terminal_sequences.h"

namespace zul {

namespace {

// Backspaces move one column left each; from this many on, a count is shorter.
constexpr int kMostBackspaces = 3;

}  // namespace

void TerminalPainter::Reset(int columns, int rows) {
  columns_ = columns;
  rows_ = rows;
  contents_known_ = false;
  cells_.assign(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_), packed::kUnknown);
  cursor_known_ = false;
  foreground_ = -1;
  background_ = -1;
}

bool TerminalPainter::Rewrite(int from, int to, int y, const std::vector<PackedCell>& want, std::size_t limit,
                              std::string& out) const {
  const std::size_t start = out.size();
  const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(columns_);
  for (int x = from; x < to; ++x) {
    const PackedCell shown = cells_[row + static_cast<std::size_t>(x)];
    const bool same = shown == want[row + static_cast<std::size_t>(x)] && shown != packed::kUnknown &&
                      packed::Background(shown) == background_ &&
                      (packed::IsBlank(shown) || packed::Foreground(shown) == foreground_) &&
                      !packed::IsLeftHalf(shown) && !packed::IsRightHalf(shown);
    if (!same || out.size() - start >= limit) {
      out.resize(start);
      return false;
    }
    packed::Append(shown, out);
  }
  return true;
}

// The ways considered, cheapest kept:
// 1. the cursor position sequence, which works from anywhere;
// 2. from a known place, to the row: staying, up or down by a count, one row
//    by an index or reverse index, or to the next row's start by a next line;
// 3. then along the row: forward or back by a count, back by backspaces, to
//    the column by number, by a carriage return (and forward), or by writing
//    again the cells in between, which the terminal already shows in the
//    current colours.
// The one-row moves are used only away from the terminal's edge, where they
// would scroll.
std::string TerminalPainter::Move(bool from_known, int from_x, int from_y, int x, int y,
                                  const std::vector<PackedCell>& want) const {
  if (from_known && from_x == x && from_y == y) return {};
  std::string best = vt::CursorPosition(x, y);
  if (!from_known) return best;

  struct Vertical {
    std::string bytes;
    int column;  // the column it leaves the cursor in
  };
  std::array<Vertical, 2> verticals;
  std::size_t count = 0;
  if (y == from_y) verticals[count++] = {"", from_x};
  if (y < from_y)
    verticals[count++] = {y + 1 == from_y ? std::string(vt::kReverseIndex) : vt::Csi(from_y - y, 'A'), from_x};
  if (y > from_y)
    verticals[count++] = {y == from_y + 1 ? std::string(vt::kIndex) : vt::Csi(y - from_y, 'B'), from_x};
  if (y == from_y + 1) verticals[count++] = {std::string(vt::kNextLine), 0};

  for (std::size_t i = 0; i < count; ++i) {
    const Vertical& vertical = verticals[i];
    if (vertical.bytes.size() >= best.size()) continue;
    auto consider = [&](const std::string& way) {
      if (vertical.bytes.size() + way.size() < best.size()) best = vertical.bytes + way;
    };
    const int from = vertical.column;
    if (from == x) {
      consider("");
      continue;
    }
    if (x > from) {
      consider(vt::Csi(x - from, 'C'));
    } else {
      consider(vt::Csi(from - x, 'D'));
      if (from - x <= kMostBackspaces) consider(std::string(static_cast<std::size_t>(from - x), '\b'));
    }
    if (x == 0) {
      consider("\r");
    } else {
      consider(vt::Csi(x + 1, 'G'));
      std::string way = "\r";
      consider(way.append(vt::Csi(x, 'C')));
    }
    const std::size_t room = best.size() - vertical.bytes.size();
    std::string way;
    if (x > from && Rewrite(from, x, y, want, room, way)) consider(way);
    way.assign(1, '\r');
    if (x > 0 && from > 0 && Rewrite(0, x, y, want, room, way)) consider(way);
  }
  return best;
}

void TerminalPainter::MoveTo(int x, int y, const std::vector<PackedCell>& want, std::string& out) {
  out += Move(cursor_known_, cursor_x_, cursor_y_, x, y, want);
  cursor_known_ = true;
  cursor_x_ = x;
  cursor_y_ = y;
}

// Either only the codes of the colours that change, or a reset to the
// terminal's colours followed by the codes of those that are not its own,
// whichever is shorter. When the colours are not known, only the reset is
// sound: the terminal may have any other attributes set as well.
void TerminalPainter::SetColours(int foreground_wanted, int background_wanted, std::string& out) {
  const bool known = foreground_ >= 0 && background_ >= 0;
  const bool foreground_ok = foreground_wanted == packed::kAnyColour || foreground_wanted == foreground_;
  if (known && foreground_ok && background_wanted == background_) return;

  const int new_foreground = foreground_wanted == packed::kAnyColour ? packed::kDefaultColour : foreground_wanted;
  std::array<int, 3> codes{0};
  std::size_t count = 1;
  if (new_foreground != packed::kDefaultColour) codes[count++] = vt::ForegroundCode(new_foreground);
  if (background_wanted != packed::kDefaultColour) codes[count++] = vt::BackgroundCode(background_wanted);
  const std::string reset = vt::Graphics(std::span(codes.data(), count));

  std::string changes;
  if (known) {
    count = 0;
    if (!foreground_ok) codes[count++] = vt::ForegroundCode(foreground_wanted);
    if (background_wanted != background_) codes[count++] = vt::BackgroundCode(background_wanted);
    changes = vt::Graphics(std::span(codes.data(), count));
  }
  if (known && changes.size() <= reset.size()) {
    out += changes;
    if (!foreground_ok) foreground_ = foreground_wanted;
    background_ = background_wanted;
  } else {
    out += reset;
    foreground_ = new_foreground;
    background_ = background_wanted;
  }
}

// 1. Count the blanks of each background; the most frequent one is the erase
//    colour (the terminal's own on a tie), since erasing paints the current
//    background.
// 2. Take along the foreground most used on that background, which saves a
//    colour change later.
// 3. Erase.
void TerminalPainter::EraseAll(const std::vector<PackedCell>& want, std::string& out) {
  std::array<std::size_t, packed::kDefaultColour + 1> blanks{};
  for (const PackedCell shown : want)
    if (packed::IsBlank(shown)) ++blanks[static_cast<std::size_t>(packed::Background(shown))];
  int erase = packed::kDefaultColour;
  for (int colour = 0; colour < packed::kDefaultColour; ++colour)
    if (blanks[static_cast<std::size_t>(colour)] > blanks[static_cast<std::size_t>(erase)]) erase = colour;

  std::array<std::size_t, packed::kDefaultColour + 1> used{};
  for (const PackedCell shown : want)
    if (!packed::IsBlank(shown) && packed::Background(shown) == erase)
      ++used[static_cast<std::size_t>(packed::Foreground(shown))];
  int pen = packed::kAnyColour;
  std::size_t most = 0;
  for (int colour = 0; colour <= packed::kDefaultColour; ++colour) {
    if (used[static_cast<std::size_t>(colour)] > most) {
      most = used[static_cast<std::size_t>(colour)];
      pen = colour;
    }
  }

  SetColours(pen, erase, out);
  out += vt::kEraseScreen;
  std::fill(cells_.begin(), cells_.end(), packed::Make(' ', packed::kAnyColour, erase));
  contents_known_ = true;
}

bool TerminalPainter::Pass::Takes(PackedCell shown) const {
  return background < 0 || (packed::Background(shown) == background) == only;
}

// A wide character is drawn with its right half, as one; a right half is never
// drawn alone (Capture gives every right half its left one). A terminal that
// writes over half of a wide character blanks the other half; that cell is then
// always drawn too, since a half is wanted only beside its other half.
void TerminalPainter::Draw(const std::vector<PackedCell>& want, const Pass& pass, std::string& out) {
  const int count = columns_ * rows_;
  int i = 0;
  while (i < count) {
    const auto index = static_cast<std::size_t>(i);
    const PackedCell shown = want[index];
    const int width = i + 1 < count && packed::IsRightHalf(want[index + 1]) ? 2 : 1;
    const bool same = cells_[index] == shown && (width == 1 || cells_[index + 1] == want[index + 1]);
    if (same || packed::IsRightHalf(shown) || !pass.Takes(shown)) {
      ++i;
      continue;
    }
    const int x = i % columns_;
    const int y = i / columns_;
    if (packed::IsBlank(shown)) {
      i = DrawBlanks(x, y, want, pass, out);
      continue;
    }
    MoveTo(x, y, want, out);
    SetColours(packed::Foreground(shown), packed::Background(shown), out);
    packed::Append(shown, out);
    cells_[index] = shown;
    if (width == 2) cells_[index + 1] = want[index + 1];
    // With autowrap off the cursor stays in the last column, but terminals
    // differ in what they do next; it is safest to forget it there.
    if (x + width < columns_) {
      cursor_x_ = x + width;
    } else {
      cursor_known_ = false;
    }
    i += width;
  }
}

// A run of blanks in one background can be written as spaces, erased with
// ECH (the cursor stays) or, when it reaches the row's end, with EL. Each is
// costed with the move to the next cell that needs drawing, since the cursor
// ends in a different place:
// 1. find the run, and the last cell in it that needs drawing;
// 2. go to its start and take its background;
// 3. cost the ways and send the cheapest.
int TerminalPainter::DrawBlanks(int x, int y, const std::vector<PackedCell>& want, const Pass& pass,
                                std::string& out) {
  const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(columns_);
  const PackedCell blank = want[row + static_cast<std::size_t>(x)];
  int end = x;
  int last_changed = x;
  while (end < columns_ && want[row + static_cast<std::size_t>(end)] == blank) {
    if (cells_[row + static_cast<std::size_t>(end)] != blank) last_changed = end;
    ++end;
  }
  const int stop = last_changed + 1;
  const bool to_row_end = end == columns_;
  const std::size_t total = cells_.size();
  std::size_t next = row + static_cast<std::size_t>(stop);
  while (next < total && (cells_[next] == want[next] || !pass.Takes(want[next]))) ++next;

  MoveTo(x, y, want, out);
  // Blanks show no foreground: when their background is to change, the foreground
  // of the next cell drawn comes along if that cell has the same background, so
  // that one colour change serves both.
  int pen = packed::kAnyColour;
  if (next < total && !packed::IsBlank(want[next]) &&
      packed::Background(want[next]) == packed::Background(blank) && background_ != packed::Background(blank))
    pen = packed::Foreground(want[next]);
  SetColours(pen, packed::Background(blank), out);
  std::fill(cells_.begin() + static_cast<std::ptrdiff_t>(row) + x,
            cells_.begin() + static_cast<std::ptrdiff_t>(row) + stop, blank);

  auto cost_from = [&](bool known, int from_x, const std::string& way) {
    if (next >= total) return way.size();
    const int next_x = static_cast<int>(next % static_cast<std::size_t>(columns_));
    const int next_y = static_cast<int>(next / static_cast<std::size_t>(columns_));
    return way.size() + Move(known, from_x, y, next_x, next_y, want).size();
  };

  const std::string spaces(static_cast<std::size_t>(stop - x), ' ');
  const std::string erase = vt::Csi(stop - x, 'X');
  const std::size_t spaces_cost = cost_from(stop < columns_, stop, spaces);
  std::size_t erase_cost = cost_from(true, x, erase);
  const std::string* way = &erase;
  if (to_row_end) {
    static const std::string kLineEnd(vt::kEraseToLineEnd);
    const std::size_t line_cost = cost_from(true, x, kLineEnd);
    if (line_cost < erase_cost) {
      way = &kLineEnd;
      erase_cost = line_cost;
    }
  }
  if (spaces_cost <= erase_cost) {
    out += spaces;
    if (stop < columns_) {
      cursor_x_ = stop;
    } else {
      cursor_known_ = false;
    }
  } else {
    out += *way;
  }
  return static_cast<int>(row) + stop;
}

// Drawing in row order changes colour wherever the colour changes along the
// rows; a background found in a few cells scattered over many rows (a shadow
// down a box's side) costs two colour changes per row. Holding its cells back
// to a second pass costs moves instead. So, once enough cells changed for it
// to matter:
// 1. count the changed cells of each background;
// 2. draw in row order, and with each of the rarest backgrounds held back,
//    those that are a small share of the changed cells;
// 3. keep the shortest.
void TerminalPainter::DrawInBestOrder(const std::vector<PackedCell>& want, std::string& out) {
  std::array<std::size_t, packed::kDefaultColour + 1> changed{};
  std::size_t total = 0;
  for (std::size_t i = 0; i < want.size(); ++i) {
    if (cells_[i] == want[i]) continue;
    ++changed[static_cast<std::size_t>(packed::Background(want[i]))];
    ++total;
  }
  if (total < kFewestCellsToReorder) {
    Draw(want, Pass{}, out);
    return;
  }
  std::array<int, packed::kDefaultColour + 1> order{};
  for (int colour = 0; colour <= packed::kDefaultColour; ++colour)
    order[static_cast<std::size_t>(colour)] = colour;
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return changed[static_cast<std::size_t>(a)] < changed[static_cast<std::size_t>(b)];
  });

  TerminalPainter best = *this;
  std::string best_bytes;
  best.Draw(want, Pass{}, best_bytes);
  int tried = 0;
  for (const int colour : order) {
    const std::size_t cells = changed[static_cast<std::size_t>(colour)];
    if (cells == 0) continue;
    if (cells * kHeldBackShare > total || tried++ == kBackgroundsToHoldBack) break;
    TerminalPainter trial = *this;
    std::string bytes;
    trial.Draw(want, Pass{colour, false}, bytes);
    trial.Draw(want, Pass{colour, true}, bytes);
    if (bytes.size() < best_bytes.size()) {
      best = std::move(trial);
      best_bytes = std::move(bytes);
    }
  }
  *this = std::move(best);
  out += best_bytes;
}

// After a change to most of the screen, erasing it first may be shorter than
// drawing over it: both are tried and the shorter is sent.
void TerminalPainter::Paint(const std::vector<PackedCell>& want, std::string& out) {
  if (!contents_known_) {
    EraseAll(want, out);
    DrawInBestOrder(want, out);
    return;
  }
  std::size_t changed = 0;
  for (std::size_t i = 0; i < want.size(); ++i)
    if (cells_[i] != want[i]) ++changed;
  if (changed == 0) return;
  if (changed * 4 < want.size()) {
    DrawInBestOrder(want, out);
    return;
  }
  TerminalPainter erased = *this;
  std::string erased_bytes;
  erased.EraseAll(want, erased_bytes);
  erased.DrawInBestOrder(want, erased_bytes);
  std::string drawn_bytes;
  DrawInBestOrder(want, drawn_bytes);
  if (erased_bytes.size() < drawn_bytes.size()) {
    *this = std::move(erased);
    out += erased_bytes;
  } else {
    out += drawn_bytes;
  }
}

}  // namespace zul
