#include "terminal/terminal_presenter.h"

#include <algorithm>
#include <array>

#include "base/cp437.h"
#include "device/console_colours.h"
#include "device/text_cells.h"
#include "terminal/terminal_sequences.h"

namespace zul {

namespace {

using PackedCell = uint64_t;

// A packed cell holds its character (bits 0-20), foreground (21-25), background
// (26-30) and mark (32-52). The right half of a wide character has a code of its own.
constexpr PackedCell kUnknownCell = ~PackedCell{0};
constexpr char32_t kRightHalfCode = 0x110000;
constexpr std::size_t kMaxTitle = 255;

// Backspaces move one column left each; from this many on, a count is shorter.
constexpr int kMostBackspaces = 3;

char32_t Character(PackedCell shown) { return static_cast<char32_t>(shown & 0x1FFFFF); }
int Foreground(PackedCell shown) { return static_cast<int>((shown >> 21) & 0x1F); }
int Background(PackedCell shown) { return static_cast<int>((shown >> 26) & 0x1F); }
char32_t Mark(PackedCell shown) { return static_cast<char32_t>((shown >> 32) & 0x1FFFFF); }
PackedCell MakePackedCell(char32_t character, int foreground, int background, char32_t mark = 0) {
  return PackedCell{character} | (PackedCell(foreground) << 21) | (PackedCell(background) << 26) |
         (PackedCell{mark} << 32);
}
bool IsBlank(PackedCell shown) { return Character(shown) == ' ' && Mark(shown) == 0; }
bool IsRightHalf(PackedCell shown) { return shown != kUnknownCell && Character(shown) == kRightHalfCode; }
bool IsLeftHalf(PackedCell shown) { return shown != kUnknownCell && CharacterWidth(Character(shown)) == 2; }

// The bytes that draw `shown`: its character and its mark in UTF-8.
void AppendPackedCell(PackedCell shown, std::string& out) {
  AppendUtf8(Character(shown), out);
  if (Mark(shown) != 0) AppendUtf8(Mark(shown), out);
}

// The title as a terminal may be given it: at most 255 of its bytes, read in the
// console's code page, control characters left out (they could end or change the
// sequence), bytes that spell nothing as their CP437 glyphs, all in UTF-8.
std::string TitleText(const std::string& title, const CodePage& code_page) {
  const std::string_view bytes = std::string_view(title).substr(0, kMaxTitle);
  std::string text;
  for (std::size_t at = 0; at < bytes.size();) {
    const Spelled spelled = code_page.Decode(bytes.substr(at));
    if (spelled.length == 0) {
      const auto byte = static_cast<uint8_t>(bytes[at++]);
      if (byte >= 0x20 && byte != 0x7F) AppendCp437Utf8(byte, text);
      continue;
    }
    if (ShownCharacter(spelled.character) == spelled.character) AppendUtf8(spelled.character, text);
    at += spelled.length;
  }
  return text;
}

}  // namespace

void TerminalPresenter::Screen::Reset(int new_columns, int new_rows) {
  columns = new_columns;
  rows = new_rows;
  contents_known = false;
  cells.assign(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), kUnknownCell);
  cursor_known = false;
  foreground = -1;
  background = -1;
}

bool TerminalPresenter::Screen::Rewrite(int from, int to, int y, const std::vector<PackedCell>& want,
                                        std::size_t limit, std::string& out) const {
  const std::size_t start = out.size();
  const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(columns);
  for (int x = from; x < to; ++x) {
    const PackedCell shown = cells[row + static_cast<std::size_t>(x)];
    const bool same = shown == want[row + static_cast<std::size_t>(x)] && shown != kUnknownCell &&
                      Background(shown) == background && (IsBlank(shown) || Foreground(shown) == foreground) &&
                      !IsLeftHalf(shown) && !IsRightHalf(shown);
    if (!same || out.size() - start >= limit) {
      out.resize(start);
      return false;
    }
    AppendPackedCell(shown, out);
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
std::string TerminalPresenter::Screen::Move(bool from_known, int from_x, int from_y, int x, int y,
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

void TerminalPresenter::Screen::MoveTo(int x, int y, const std::vector<PackedCell>& want, std::string& out) {
  out += Move(cursor_known, cursor_x, cursor_y, x, y, want);
  cursor_known = true;
  cursor_x = x;
  cursor_y = y;
}

// Either only the codes of the colours that change, or a reset to the
// terminal's colours followed by the codes of those that are not its own,
// whichever is shorter. When the colours are not known, only the reset is
// sound: the terminal may have any other attributes set as well.
void TerminalPresenter::Screen::SetColours(int foreground_wanted, int background_wanted, std::string& out) {
  const bool known = foreground >= 0 && background >= 0;
  const bool foreground_ok = foreground_wanted == kAnyColour || foreground_wanted == foreground;
  if (known && foreground_ok && background_wanted == background) return;

  const int new_foreground = foreground_wanted == kAnyColour ? kDefaultColour : foreground_wanted;
  std::array<int, 3> codes{0};
  std::size_t count = 1;
  if (new_foreground != kDefaultColour) codes[count++] = vt::ForegroundCode(new_foreground);
  if (background_wanted != kDefaultColour) codes[count++] = vt::BackgroundCode(background_wanted);
  const std::string reset = vt::Graphics(std::span(codes.data(), count));

  std::string changes;
  if (known) {
    count = 0;
    if (!foreground_ok) codes[count++] = vt::ForegroundCode(foreground_wanted);
    if (background_wanted != background) codes[count++] = vt::BackgroundCode(background_wanted);
    changes = vt::Graphics(std::span(codes.data(), count));
  }
  if (known && changes.size() <= reset.size()) {
    out += changes;
    if (!foreground_ok) foreground = foreground_wanted;
    background = background_wanted;
  } else {
    out += reset;
    foreground = new_foreground;
    background = background_wanted;
  }
}

// 1. Count the blanks of each background; the most frequent one is the erase
//    colour (the terminal's own on a tie), since erasing paints the current
//    background.
// 2. Take along the foreground most used on that background, which saves a
//    colour change later.
// 3. Erase.
void TerminalPresenter::Screen::EraseAll(const std::vector<PackedCell>& want, std::string& out) {
  std::array<std::size_t, kDefaultColour + 1> blanks{};
  for (const PackedCell shown : want)
    if (IsBlank(shown)) ++blanks[static_cast<std::size_t>(Background(shown))];
  int erase = kDefaultColour;
  for (int colour = 0; colour < kDefaultColour; ++colour)
    if (blanks[static_cast<std::size_t>(colour)] > blanks[static_cast<std::size_t>(erase)]) erase = colour;

  std::array<std::size_t, kDefaultColour + 1> used{};
  for (const PackedCell shown : want)
    if (!IsBlank(shown) && Background(shown) == erase) ++used[static_cast<std::size_t>(Foreground(shown))];
  int pen = kAnyColour;
  std::size_t most = 0;
  for (int colour = 0; colour <= kDefaultColour; ++colour) {
    if (used[static_cast<std::size_t>(colour)] > most) {
      most = used[static_cast<std::size_t>(colour)];
      pen = colour;
    }
  }

  SetColours(pen, erase, out);
  out += vt::kEraseScreen;
  std::fill(cells.begin(), cells.end(), MakePackedCell(' ', kAnyColour, erase));
  contents_known = true;
}

bool TerminalPresenter::Pass::Takes(PackedCell shown) const {
  return background < 0 || (Background(shown) == background) == only;
}

// A wide character is drawn with its right half, as one; a right half is never
// drawn alone (Capture gives every right half its left one). A terminal that
// writes over half of a wide character blanks the other half; that cell is then
// always drawn too, since a half is wanted only beside its other half.
void TerminalPresenter::Screen::Draw(const std::vector<PackedCell>& want, const Pass& pass, std::string& out) {
  const int count = columns * rows;
  int i = 0;
  while (i < count) {
    const auto index = static_cast<std::size_t>(i);
    const PackedCell shown = want[index];
    const int width = i + 1 < count && IsRightHalf(want[index + 1]) ? 2 : 1;
    const bool same = cells[index] == shown && (width == 1 || cells[index + 1] == want[index + 1]);
    if (same || IsRightHalf(shown) || !pass.Takes(shown)) {
      ++i;
      continue;
    }
    const int x = i % columns;
    const int y = i / columns;
    if (IsBlank(shown)) {
      i = DrawBlanks(x, y, want, pass, out);
      continue;
    }
    MoveTo(x, y, want, out);
    SetColours(Foreground(shown), Background(shown), out);
    AppendPackedCell(shown, out);
    cells[index] = shown;
    if (width == 2) cells[index + 1] = want[index + 1];
    // With autowrap off the cursor stays in the last column, but terminals
    // differ in what they do next; it is safest to forget it there.
    if (x + width < columns) {
      cursor_x = x + width;
    } else {
      cursor_known = false;
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
int TerminalPresenter::Screen::DrawBlanks(int x, int y, const std::vector<PackedCell>& want, const Pass& pass,
                                          std::string& out) {
  const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(columns);
  const PackedCell blank = want[row + static_cast<std::size_t>(x)];
  int end = x;
  int last_changed = x;
  while (end < columns && want[row + static_cast<std::size_t>(end)] == blank) {
    if (cells[row + static_cast<std::size_t>(end)] != blank) last_changed = end;
    ++end;
  }
  const int stop = last_changed + 1;
  const bool to_row_end = end == columns;

  MoveTo(x, y, want, out);
  SetColours(kAnyColour, Background(blank), out);
  std::fill(cells.begin() + static_cast<std::ptrdiff_t>(row) + x,
            cells.begin() + static_cast<std::ptrdiff_t>(row) + stop, blank);

  const std::size_t total = cells.size();
  std::size_t next = row + static_cast<std::size_t>(stop);
  while (next < total && (cells[next] == want[next] || !pass.Takes(want[next]))) ++next;
  auto cost_from = [&](bool known, int from_x, const std::string& way) {
    if (next >= total) return way.size();
    const int next_x = static_cast<int>(next % static_cast<std::size_t>(columns));
    const int next_y = static_cast<int>(next / static_cast<std::size_t>(columns));
    return way.size() + Move(known, from_x, y, next_x, next_y, want).size();
  };

  const std::string spaces(static_cast<std::size_t>(stop - x), ' ');
  const std::string erase = vt::Csi(stop - x, 'X');
  const std::size_t spaces_cost = cost_from(stop < columns, stop, spaces);
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
    if (stop < columns) {
      cursor_x = stop;
    } else {
      cursor_known = false;
    }
  } else {
    out += *way;
  }
  return static_cast<int>(row) + stop;
}

// A cell as the terminal is to show it: a blank as a blank in its background alone;
// a character that takes no cell of its own as a mark over a blank; a mark that
// takes a cell is left out.
TerminalPresenter::PackedCell TerminalPresenter::PackCell(const Cell& cell) {
  char32_t character = ShownCharacter(cell.character == 0 ? U' ' : cell.character);
  char32_t mark = cell.mark != 0 && CharacterWidth(cell.mark) == 0 ? ShownCharacter(cell.mark) : 0;
  if (CharacterWidth(character) == 0) {
    mark = character;
    character = ' ';
  }
  const int foreground = character == ' ' && mark == 0 ? kAnyColour : colour::Foreground(cell.attribute);
  return MakePackedCell(character, foreground, colour::Background(cell.attribute), mark);
}

// The window's cells, clipped to the terminal. The halves of a wide character are
// kept only together: a half whose other half the window does not show beside it
// (overwritten, or cut off at the edge) shows as a blank.
void TerminalPresenter::Capture(const VirtualConsole& console) {
  const PackedCell outside = MakePackedCell(' ', kAnyColour, kDefaultColour);
  want_.assign(screen_.cells.size(), outside);
  const InclusiveRect window = console.Window();
  const Coord size = console.Size();
  const int shown_columns = std::min(screen_.columns, window.Width());
  const int shown_rows = std::min(screen_.rows, window.Height());
  Cell previous;
  PackedCell previous_packed = outside;
  bool previous_left_half = false;
  bool packed_any = false;
  for (int y = 0; y < shown_rows; ++y) {
    const int buffer_y = window.top + y;
    if (buffer_y < 0 || buffer_y >= size.y) continue;
    for (int x = 0; x < shown_columns; ++x) {
      const int buffer_x = window.left + x;
      if (buffer_x < 0 || buffer_x >= size.x) continue;
      const Cell cell = console.At({static_cast<int16_t>(buffer_x), static_cast<int16_t>(buffer_y)});
      const std::size_t index =
          static_cast<std::size_t>(y) * static_cast<std::size_t>(screen_.columns) + static_cast<std::size_t>(x);
      const int blank_background = colour::Background(cell.attribute);
      if (cell.character == kRightHalf) {
        const bool joined = x > 0 && IsLeftHalf(want_[index - 1]);
        want_[index] = joined
                           ? MakePackedCell(kRightHalfCode, colour::Foreground(cell.attribute), blank_background)
                           : MakePackedCell(' ', kAnyColour, blank_background);
        continue;
      }
      // Most cells repeat the one before them (blanks, a frame's edge): packed once.
      if (!packed_any || !(cell == previous)) {
        previous = cell;
        previous_packed = PackCell(cell);
        previous_left_half = IsLeftHalf(previous_packed);
        packed_any = true;
      }
      PackedCell shown = previous_packed;
      if (previous_left_half) {
        const bool whole =
            x + 1 < shown_columns && buffer_x + 1 < size.x &&
            console.At({static_cast<int16_t>(buffer_x + 1), static_cast<int16_t>(buffer_y)}).character ==
                kRightHalf;
        if (!whole) shown = MakePackedCell(' ', kAnyColour, blank_background);
      }
      want_[index] = shown;
    }
  }
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
void TerminalPresenter::DrawInBestOrder(Screen& screen, const std::vector<PackedCell>& want, std::string& out) {
  std::array<std::size_t, kDefaultColour + 1> changed{};
  std::size_t total = 0;
  for (std::size_t i = 0; i < want.size(); ++i) {
    if (screen.cells[i] == want[i]) continue;
    ++changed[static_cast<std::size_t>(Background(want[i]))];
    ++total;
  }
  if (total < kFewestCellsToReorder) {
    screen.Draw(want, Pass{}, out);
    return;
  }
  std::array<int, kDefaultColour + 1> order{};
  for (int colour = 0; colour <= kDefaultColour; ++colour) order[static_cast<std::size_t>(colour)] = colour;
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return changed[static_cast<std::size_t>(a)] < changed[static_cast<std::size_t>(b)];
  });

  Screen best = screen;
  std::string best_bytes;
  best.Draw(want, Pass{}, best_bytes);
  int tried = 0;
  for (const int colour : order) {
    const std::size_t cells = changed[static_cast<std::size_t>(colour)];
    if (cells == 0) continue;
    if (cells * kHeldBackShare > total || tried++ == kBackgroundsToHoldBack) break;
    Screen trial = screen;
    std::string bytes;
    trial.Draw(want, Pass{colour, false}, bytes);
    trial.Draw(want, Pass{colour, true}, bytes);
    if (bytes.size() < best_bytes.size()) {
      best = std::move(trial);
      best_bytes = std::move(bytes);
    }
  }
  screen = std::move(best);
  out += best_bytes;
}

// After a change to most of the screen, erasing it first may be shorter than
// drawing over it: both are tried and the shorter is sent.
void TerminalPresenter::DrawCells(std::string& out) {
  if (!screen_.contents_known) {
    screen_.EraseAll(want_, out);
    DrawInBestOrder(screen_, want_, out);
    return;
  }
  std::size_t changed = 0;
  for (std::size_t i = 0; i < want_.size(); ++i)
    if (screen_.cells[i] != want_[i]) ++changed;
  if (changed == 0) return;
  if (changed * 4 < want_.size()) {
    DrawInBestOrder(screen_, want_, out);
    return;
  }
  Screen erased = screen_;
  std::string erased_bytes;
  erased.EraseAll(want_, erased_bytes);
  DrawInBestOrder(erased, want_, erased_bytes);
  std::string drawn_bytes;
  DrawInBestOrder(screen_, want_, drawn_bytes);
  if (erased_bytes.size() < drawn_bytes.size()) {
    screen_ = std::move(erased);
    out += erased_bytes;
  } else {
    out += drawn_bytes;
  }
}

// A cursor that is to be hidden goes before the cells are drawn and one that is to
// be shown comes after them, so that it is never seen crossing the frame.
void TerminalPresenter::Present(const VirtualConsole& console, Coord terminal, std::string& out) {
  const int columns = std::clamp<int>(terminal.x, 0, kMaxTerminalSide);
  const int rows = std::clamp<int>(terminal.y, 0, kMaxTerminalSide);
  if (columns != screen_.columns || rows != screen_.rows) screen_.Reset(columns, rows);
  Capture(console);

  if (!autowrap_off_) {
    out += vt::kAutowrapOff;
    autowrap_off_ = true;
  }
  const Mode mouse = console.MouseReporting() ? Mode::kOn : Mode::kOff;
  if (mouse_ != mouse) {
    out += mouse == Mode::kOn ? vt::kMouseOn : vt::kMouseOff;
    mouse_ = mouse;
  }
  std::string title = TitleText(console.Title(), console.TextCodePage());
  if (!title_known_ || title != title_) {
    out += vt::WindowTitle(title);
    title_ = std::move(title);
    title_known_ = true;
  }

  const InclusiveRect window = console.Window();
  const Coord cursor = console.Cursor();
  const int cursor_x = cursor.x - window.left;
  const int cursor_y = cursor.y - window.top;
  const bool show = console.CursorShape().visible && window.Contains(cursor) && cursor.x < console.Size().x &&
                    cursor.y < console.Size().y && cursor_x < columns && cursor_y < rows;
  if (!show && cursor_shown_ != Mode::kOff) {
    out += vt::kCursorHide;
    cursor_shown_ = Mode::kOff;
  }

  DrawCells(out);

  if (show) {
    screen_.MoveTo(cursor_x, cursor_y, want_, out);
    if (cursor_shown_ != Mode::kOn) {
      out += vt::kCursorShow;
      cursor_shown_ = Mode::kOn;
    }
  }
}

void TerminalPresenter::Invalidate() {
  screen_.Reset(screen_.columns, screen_.rows);
  cursor_shown_ = Mode::kUnknown;
  mouse_ = Mode::kUnknown;
  autowrap_off_ = false;
  title_known_ = false;
  title_.clear();
}

void TerminalPresenter::HandOver(const VirtualConsole& console, Coord terminal, std::string_view colours,
                                 std::string& out) {
  if (mouse_ != Mode::kOff) out += vt::kMouseOff;
  out += vt::kAutowrapOn;
  out += colours;
  const int columns = std::clamp<int>(terminal.x, 0, kMaxTerminalSide);
  const int rows = std::clamp<int>(terminal.y, 0, kMaxTerminalSide);
  if (columns > 0 && rows > 0) {
    const int x = std::clamp(console.Cursor().x - console.Window().left, 0, columns - 1);
    const int y = std::clamp(console.Cursor().y - console.Window().top, 0, rows - 1);
    out += vt::CursorPosition(x, y);
  }
  out += vt::kCursorShow;
  Invalidate();
}

void TerminalPresenter::Release(const VirtualConsole& console, Coord terminal, uint16_t attribute,
                                std::string& out) {
  const std::array<int, 3> codes = {0, vt::ForegroundCode(colour::Foreground(attribute)),
                                    vt::BackgroundCode(colour::Background(attribute))};
  const std::string colours = vt::Graphics(codes);
  HandOver(console, terminal, colours, out);
}

void TerminalPresenter::End(const VirtualConsole& console, Coord terminal, std::string& out) {
  HandOver(console, terminal, vt::kDefaultColours, out);
}

// A line feed from the lowest row drawn: the next row, or, on the terminal's
// last row, a new row scrolled in, blank in the terminal's own colours. Should
// the terminal have shrunk meanwhile, the position stops at its last row and
// the line feed still gives a new row.
void TerminalPresenter::AppendCutShort(const VirtualConsole& console, Coord terminal, std::string& out) {
  out += vt::kRestoreModes;
  const int rows = std::min({console.Window().Height(), static_cast<int>(terminal.y), kMaxTerminalSide});
  if (rows <= 0 || terminal.x <= 0) return;
  out += vt::CursorPosition(0, rows - 1);
  out += '\n';
}

}  // namespace zul
