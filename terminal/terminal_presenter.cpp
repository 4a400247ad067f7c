#include "terminal/terminal_presenter.h"

#include <algorithm>
#include <array>

#include "base/cp437.h"
#include "device/console_colours.h"
#include "device/text_cells.h"
#include "terminal/terminal_sequences.h"

namespace zul {

namespace {

constexpr std::size_t kMaxTitle = 255;

// The title as a terminal may be given it: at most 255 of its bytes, read in the
// console's code page, control characters left out (they could end or change the
// sequence), bytes that spell nothing as their CP437 glyphs, all in UTF-8.
std::string TitleText(const std::string& title, const CodePage& code_page) {
  const std::string_view bytes = std::string_view(title).substr(0, kMaxTitle);
  std::string text;
  ForEachCharacter(bytes, code_page, [&](const TextPiece& piece) {
    if (!piece.spelled) {
      AppendCp437Utf8(static_cast<uint8_t>(piece.bytes[0]), text);
    } else if (ShownCharacter(piece.character) == piece.character) {
      AppendUtf8(piece.character, text);
    }
  });
  return text;
}

}  // namespace

// A cell as the terminal is to show it: a blank as a blank in its background alone;
// a character that takes no cell of its own as a mark over a blank; a mark that
// takes a cell is left out.
PackedCell TerminalPresenter::PackCell(const Cell& cell) {
  char32_t character = ShownCharacter(cell.character == 0 ? U' ' : cell.character);
  char32_t mark = cell.mark != 0 && CharacterWidth(cell.mark) == 0 ? ShownCharacter(cell.mark) : 0;
  if (CharacterWidth(character) == 0) {
    mark = character;
    character = ' ';
  }
  const int foreground = character == ' ' && mark == 0 ? packed::kAnyColour : colour::Foreground(cell.attribute);
  return packed::Make(character, foreground, colour::Background(cell.attribute), mark);
}

// The window's cells, clipped to the terminal. The halves of a wide character are
// kept only together: a half whose other half the window does not show beside it
// (overwritten, or cut off at the edge) shows as a blank.
void TerminalPresenter::Capture(const VirtualConsole& console) {
  const PackedCell outside = packed::Make(' ', packed::kAnyColour, packed::kDefaultColour);
  want_.assign(static_cast<std::size_t>(painter_.Columns()) * static_cast<std::size_t>(painter_.Rows()), outside);
  const InclusiveRect window = console.Window();
  const Coord size = console.Size();
  const int shown_columns = std::min(painter_.Columns(), window.Width());
  const int shown_rows = std::min(painter_.Rows(), window.Height());
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
          static_cast<std::size_t>(y) * static_cast<std::size_t>(painter_.Columns()) + static_cast<std::size_t>(x);
      const int blank_background = colour::Background(cell.attribute);
      if (cell.character == kRightHalf) {
        const char32_t before = x > 0 ? packed::Character(want_[index - 1]) : 0;
        want_[index] =
            IsLoneHalf(before, kRightHalf, 0)
                ? packed::Make(' ', packed::kAnyColour, blank_background)
                : packed::Make(packed::kRightHalfCode, colour::Foreground(cell.attribute), blank_background);
        continue;
      }
      // Most cells repeat the one before them (blanks, a frame's edge): packed once.
      if (!packed_any || !(cell == previous)) {
        previous = cell;
        previous_packed = PackCell(cell);
        previous_left_half = packed::IsLeftHalf(previous_packed);
        packed_any = true;
      }
      PackedCell shown = previous_packed;
      if (previous_left_half) {
        const bool at_edge = x + 1 >= shown_columns || buffer_x + 1 >= size.x;
        const char32_t after =
            at_edge ? 0
                    : console.At({static_cast<int16_t>(buffer_x + 1), static_cast<int16_t>(buffer_y)}).character;
        if (IsLoneHalf(0, cell.character, after)) shown = packed::Make(' ', packed::kAnyColour, blank_background);
      }
      want_[index] = shown;
    }
  }
}

// A cursor that is to be hidden goes before the cells are drawn and one that is to
// be shown comes after them, so that it is never seen crossing the frame.
void TerminalPresenter::Present(const VirtualConsole& console, Coord terminal, std::string& out) {
  const int columns = std::clamp<int>(terminal.x, 0, kMaxTerminalSide);
  const int rows = std::clamp<int>(terminal.y, 0, kMaxTerminalSide);
  if (columns != painter_.Columns() || rows != painter_.Rows()) painter_.Reset(columns, rows);
  Capture(console);

  if (!autowrap_off_) {
    out += vt::kAutowrapOff;
    autowrap_off_ = true;
  }
  const Mode mouse = reports_read_ && console.MouseReporting() ? Mode::kOn : Mode::kOff;
  if (mouse_ != mouse) {
    out += mouse == Mode::kOn ? vt::kMouseOn : vt::kMouseOff;
    mouse_ = mouse;
  }
  const Mode paste = reports_read_ && console.PasteAsText() ? Mode::kOn : Mode::kOff;
  if (paste_ != paste) {
    out += paste == Mode::kOn ? vt::kBracketedPasteOn : vt::kBracketedPasteOff;
    paste_ = paste;
  }
  std::string title = TitleText(console.Title(), console.TitleCodePage());
  if (!title_known_ || title != title_) {
    out += vt::WindowTitle(title);
    title_ = std::move(title);
    title_known_ = true;
  }

  const InclusiveRect window = console.Window();
  const Coord cursor = console.Cursor();
  const int cursor_x = cursor.x - window.left;
  const int cursor_y = cursor.y - window.top;
  const bool on_terminal = window.Contains(cursor) && cursor.x < console.Size().x && cursor.y < console.Size().y &&
                           cursor_x < columns && cursor_y < rows;
  const bool show = console.CursorShape().visible && on_terminal;
  if (!show && cursor_shown_ != Mode::kOff) {
    out += vt::kCursorHide;
    cursor_shown_ = Mode::kOff;
  }

  painter_.Paint(want_, out);

  if (on_terminal) painter_.MoveTo(cursor_x, cursor_y, want_, out);
  if (show && cursor_shown_ != Mode::kOn) {
    out += vt::kCursorShow;
    cursor_shown_ = Mode::kOn;
  }
}

void TerminalPresenter::Invalidate() {
  painter_.Reset(painter_.Columns(), painter_.Rows());
  cursor_shown_ = Mode::kUnknown;
  mouse_ = Mode::kUnknown;
  paste_ = Mode::kUnknown;
  autowrap_off_ = false;
  title_known_ = false;
  title_.clear();
}

void TerminalPresenter::HandOver(const VirtualConsole& console, Coord terminal, std::string_view colours,
                                 std::string& out) {
  if (mouse_ != Mode::kOff) out += vt::kMouseOff;
  if (paste_ != Mode::kOff) out += vt::kBracketedPasteOff;
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
