#include "terminal/terminal_presenter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "base/code_page.h"
#include "base/cp437.h"
#include "device/text_cells.h"
#include "tests/support/terminal_replay.h"

namespace zul {
namespace {

using testing::TerminalReplay;

// The SGR foreground code of each console colour; a background's is 10 more.
constexpr int kForegroundCodes[16] = {30, 34, 32, 36, 31, 35, 33, 37, 90, 94, 92, 96, 91, 95, 93, 97};

std::string Glyph(char32_t character) {
  std::string glyph;
  AppendUtf8(character, glyph);
  return glyph;
}

// The title as the terminal should be given it: its first 255 bytes read as UTF-8,
// control characters left out, bytes that spell nothing as their CP437 glyphs.
std::string SafeTitle(const std::string& title) {
  std::string safe;
  const std::string_view bytes = std::string_view(title).substr(0, 255);
  for (std::size_t i = 0; i < bytes.size();) {
    const Spelled spelled = Utf8CodePage().Decode(bytes.substr(i));
    const auto byte = static_cast<uint8_t>(bytes[i]);
    if (spelled.length == 0 && byte >= 0x20 && byte != 0x7F) AppendCp437Utf8(byte, safe);
    if (spelled.length > 0 && spelled.character >= 0x20 && spelled.character != 0x7F)
      safe += Glyph(spelled.character);
    i += std::max<std::size_t>(spelled.length, 1);
  }
  return safe;
}

// What the terminal shows for the window cell at (x, y): its character (control
// characters as their glyphs) with the mark over it; "" for the right half of a wide
// character; a blank for a half whose other half is not beside it on the terminal.
std::string WantedGlyph(const VirtualConsole& console, int x, int y, int shown_columns) {
  const InclusiveRect window = console.Window();
  auto at = [&](int column) {
    return console.At({static_cast<int16_t>(window.left + column), static_cast<int16_t>(window.top + y)});
  };
  const Cell cell = at(x);
  if (cell.character == kRightHalf) {
    const bool joined = x > 0 && at(x - 1).character != kRightHalf && CharacterWidth(at(x - 1).character) == 2 &&
                        window.left + x - 1 < console.Size().x;
    return joined ? "" : " ";
  }
  const char32_t character = ShownCharacter(cell.character == 0 ? U' ' : cell.character);
  if (CharacterWidth(character) == 2 &&
      (x + 1 >= shown_columns || window.left + x + 1 >= console.Size().x || at(x + 1).character != kRightHalf))
    return " ";
  std::string glyph = Glyph(character);
  if (cell.mark != 0) glyph += Glyph(cell.mark);
  return glyph;
}

// Whether the replayed terminal shows the console's window: the window's cells
// from the top left, clipped, blanks in the terminal's own colours beyond it;
// the cursor, the title and the mouse tracking as they should be.
::testing::AssertionResult Shows(const TerminalReplay& replay, const VirtualConsole& console) {
  auto failure = ::testing::AssertionFailure();
  bool ok = replay.Errors().empty();
  for (const std::string& error : replay.Errors()) failure << error << "\n";
  const InclusiveRect window = console.Window();
  int mismatches = 0;
  for (int y = 0; y < replay.Size().y; ++y) {
    for (int x = 0; x < replay.Size().x; ++x) {
      TerminalReplay::Shown want;
      if (x < window.Width() && y < window.Height()) {
        const Cell cell =
            console.At({static_cast<int16_t>(window.left + x), static_cast<int16_t>(window.top + y)});
        want = {WantedGlyph(console, x, y, std::min<int>(window.Width(), replay.Size().x)),
                kForegroundCodes[cell.attribute & 15], kForegroundCodes[(cell.attribute >> 4) & 15] + 10};
      }
      const TerminalReplay::Shown& got = replay.At(x, y);
      // A blank looks the same in any foreground; a right half as its left half.
      if (got.glyph == want.glyph && (want.glyph.empty() || got.background == want.background) &&
          (want.glyph == " " || want.glyph.empty() || got.foreground == want.foreground))
        continue;
      ok = false;
      if (++mismatches <= 5)
        failure << "cell (" << x << "," << y << "): '" << got.glyph << "' " << got.foreground << "/"
                << got.background << ", want '" << want.glyph << "' " << want.foreground << "/" << want.background
                << "\n";
    }
  }
  const Coord cursor = console.Cursor();
  const Coord on_terminal{static_cast<int16_t>(cursor.x - window.left),
                          static_cast<int16_t>(cursor.y - window.top)};
  const bool visible = console.CursorShape().visible && window.Contains(cursor) &&
                       on_terminal.x < replay.Size().x && on_terminal.y < replay.Size().y;
  if (replay.CursorVisible() != visible ||
      (visible && (!replay.CursorKnown() || replay.Cursor() != on_terminal))) {
    ok = false;
    failure << "cursor shown " << replay.CursorVisible() << " at " << replay.Cursor() << ", want shown " << visible
            << " at " << on_terminal << "\n";
  }
  if (replay.Title() != SafeTitle(console.Title())) ok = false, failure << "title '" << replay.Title() << "'\n";
  if (replay.MouseButtons() != console.MouseReporting() || replay.MouseSgr() != console.MouseReporting())
    ok = false, failure << "mouse tracking " << replay.MouseButtons() << replay.MouseSgr() << "\n";
  if (replay.Autowrap()) ok = false, failure << "autowrap left on\n";
  return ok ? ::testing::AssertionSuccess() : failure;
}

int Pick(std::mt19937& rng, int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

Cell RandomCell(std::mt19937& rng) {
  static constexpr uint16_t kAttributes[] = {0x1F, 0x1F, 0x17, 0x70, 0x4E, 0x07, 0x30, 0x9A};
  // Wide characters and their right halves come at random, in pairs and alone.
  static constexpr char32_t kOthers[] = {U'\u65E5', U'\u672C', kRightHalf, kRightHalf, U'\u00E9', U'\u2550'};
  const int kind = Pick(rng, 0, 11);
  const char32_t character = kind < 4    ? static_cast<char32_t>(Pick(rng, 'a', 'z'))
                             : kind < 7  ? U' '
                             : kind < 8  ? 0
                             : kind < 10 ? static_cast<char32_t>(Pick(rng, 0, 255))
                                         : kOthers[Pick(rng, 0, 5)];
  uint16_t attribute = kAttributes[Pick(rng, 0, 7)];
  if (Pick(rng, 0, 9) == 0) attribute = static_cast<uint16_t>(Pick(rng, 0, 0xFFFF));
  const char32_t mark = character != kRightHalf && Pick(rng, 0, 15) == 0 ? U'\u0308' : 0;
  return {character, attribute, mark};
}

Coord RandomPlace(std::mt19937& rng, const VirtualConsole& console) {
  return {static_cast<int16_t>(Pick(rng, 0, console.Size().x - 1)),
          static_cast<int16_t>(Pick(rng, 0, console.Size().y - 1))};
}

// One change of the kinds the dialogs make, at random.
void RandomChange(VirtualConsole& console, std::mt19937& rng) {
  switch (Pick(rng, 0, 12)) {
    case 0:
    case 1:
    case 2: {
      std::vector<Cell> run(static_cast<std::size_t>(Pick(rng, 1, 25)));
      for (Cell& cell : run) cell = RandomCell(rng);
      console.WriteCells(RandomPlace(rng, console), run);
      break;
    }
    case 3:
    case 4:
      console.FillCells(RandomPlace(rng, console), static_cast<uint32_t>(Pick(rng, 1, 400)), RandomCell(rng));
      break;
    case 5: {
      const Coord from = RandomPlace(rng, console);
      const InclusiveRect source{from.x, from.y, static_cast<int16_t>(from.x + Pick(rng, 0, 40)),
                                 static_cast<int16_t>(from.y + Pick(rng, 0, 20))};
      console.ScrollRegion(source,
                           {static_cast<int16_t>(from.x + Pick(rng, -2, 2)), static_cast<int16_t>(from.y - 1)},
                           RandomCell(rng));
      break;
    }
    case 6:
    case 7:
      console.SetCursorPosition(RandomPlace(rng, console));
      console.SetCursorInfo({25, Pick(rng, 0, 3) != 0});
      break;
    case 8:
    case 9: {
      const int width = Pick(rng, 1, console.Size().x);
      const int height = Pick(rng, 1, console.Size().y);
      const auto left = static_cast<int16_t>(Pick(rng, 0, console.Size().x - width));
      const auto top = static_cast<int16_t>(Pick(rng, 0, console.Size().y - height));
      console.SetWindowRect(
          {left, top, static_cast<int16_t>(left + width - 1), static_cast<int16_t>(top + height - 1)});
      break;
    }
    case 10: {
      std::string title(static_cast<std::size_t>(Pick(rng, 0, 300)), ' ');
      for (char& c : title) c = static_cast<char>(Pick(rng, 0, 3) == 0 ? Pick(rng, 0, 255) : Pick(rng, 'A', 'Z'));
      console.SetTitle(title);
      break;
    }
    default: {
      static constexpr uint32_t kModes[] = {
          input_mode::kMouse | input_mode::kExtendedFlags, input_mode::kMouse,
          input_mode::kMouse | input_mode::kExtendedFlags | input_mode::kQuickEdit, input_mode::kExtendedFlags};
      console.SetInputMode(kModes[Pick(rng, 0, 3)]);
    }
  }
}

Coord RandomTerminal(std::mt19937& rng) {
  return {static_cast<int16_t>(Pick(rng, 1, 110)), static_cast<int16_t>(Pick(rng, 1, 55))};
}

TEST(TerminalPresenterReplay, ShowsExactlyTheWindowThroughRandomChanges) {
  for (uint32_t seed = 1; seed <= 40; ++seed) {
    std::mt19937 rng(seed);
    VirtualConsole console({100, 50}, {100, 50});
    Coord terminal = RandomTerminal(rng);
    TerminalReplay replay(terminal, seed);
    TerminalPresenter presenter;
    for (int step = 0; step < 80; ++step) {
      const int event = Pick(rng, 0, 99);
      if (event < 4) {  // the terminal was resized
        terminal = RandomTerminal(rng);
        replay.Resize(terminal);
        presenter.Invalidate();
      } else if (event < 7) {  // something else wrote on it
        replay.Scribble();
        presenter.Invalidate();
      } else if (event < 11) {  // a child runs on it, or the program ends
        const auto attribute = static_cast<uint16_t>(Pick(rng, 0, 0xFFFF));
        std::string bytes;
        presenter.Release(console, terminal, attribute, bytes);
        replay.Feed(bytes);
        const Coord want{
            static_cast<int16_t>(std::clamp(console.Cursor().x - console.Window().left, 0, terminal.x - 1)),
            static_cast<int16_t>(std::clamp(console.Cursor().y - console.Window().top, 0, terminal.y - 1))};
        ASSERT_TRUE(replay.Errors().empty()) << replay.Errors()[0];
        EXPECT_TRUE(replay.Autowrap() && replay.CursorVisible() && !replay.MouseButtons() && !replay.MouseSgr());
        EXPECT_TRUE(replay.CursorKnown() && replay.Cursor() == want) << replay.Cursor() << " want " << want;
        EXPECT_EQ(replay.Foreground(), kForegroundCodes[attribute & 15]);
        EXPECT_EQ(replay.Background(), kForegroundCodes[(attribute >> 4) & 15] + 10);
        if (Pick(rng, 0, 1)) replay.Scribble();
      } else {
        for (int n = Pick(rng, 1, 3); n > 0; --n) RandomChange(console, rng);
      }
      std::string bytes;
      presenter.Present(console, terminal, bytes);
      replay.Feed(bytes);
      ASSERT_TRUE(Shows(replay, console)) << "seed " << seed << ", step " << step;
      std::string again;
      presenter.Present(console, terminal, again);
      ASSERT_EQ(again.size(), 0u) << "seed " << seed << ", step " << step << ": nothing changed, yet "
                                  << again.size() << " bytes";
    }
  }
}

// The replay model must catch a presenter that relies on a move a terminal
// does not promise, or else the replay tests could not fail for it.
TEST(TerminalReplayModel, TakesTheShortMovesOnlyWhereTheyAreSound) {
  auto errors = [](std::string_view bytes) {
    TerminalReplay replay({10, 4});
    replay.Feed("\x1b[?7l\x1b[0m");
    replay.Feed(bytes);
    return replay.Errors().size();
  };
  EXPECT_EQ(errors("\x1b[2;5H\b\b\033D\033M\033E\x1b[7Gx"), 0u);
  const std::vector<std::pair<const char*, std::string>> unsound = {
      {"backspace at the first column", "\x1b[2;1H\b"},
      {"backspace from an unknown column", "\x1b[2;10Hx\b"},
      {"index at the bottom row scrolls", "\x1b[4;3H\033D"},
      {"reverse index at the top row scrolls", "\x1b[1;3H\033M"},
      {"next line at the bottom row scrolls", "\x1b[4;3H\033E"},
      {"next line from an unknown row", "\033E"},
      {"column off the terminal", "\x1b[2;1H\x1b[11G"},
  };
  for (const auto& [what, bytes] : unsound) EXPECT_EQ(errors(bytes), 1u) << what;
  TerminalReplay replay({10, 4});
  replay.Feed("\x1b[3;6H\b\033M\033E\033D\x1b[8G");
  EXPECT_EQ(replay.Cursor(), (Coord{7, 3}));
}

// An 80x30 window of blanks, white on blue, presented once on a terminal of its
// size, with the cursor hidden on the row below the window, off the terminal, so
// that no frame ends with a move to it.
class TerminalPresenterBytes : public ::testing::Test {
 protected:
  void SetUp() override {
    console_.FillCells({0, 0}, 80 * 31, {' ', 0x1F});
    console_.SetWindowRect({0, 0, 79, 29});
    console_.SetCursorPosition({0, 30});
    console_.SetCursorInfo({25, false});
    first_ = Present();
  }
  std::string Present() {
    std::string bytes;
    presenter_.Present(console_, {80, 30}, bytes);
    replay_.Feed(bytes);
    return bytes;
  }
  void Write(int x, int y, std::string_view text, uint16_t attribute) {
    std::vector<Cell> cells;
    for (const char c : text) cells.push_back({static_cast<uint8_t>(c), attribute});
    console_.WriteCells({static_cast<int16_t>(x), static_cast<int16_t>(y)}, cells);
  }

  VirtualConsole console_{{80, 31}, {80, 31}};
  TerminalPresenter presenter_;
  TerminalReplay replay_{{80, 30}};
  std::string first_;
};

TEST_F(TerminalPresenterBytes, FirstFrameTurnsAutowrapOffAndErasesInTheCommonColour) {
  EXPECT_EQ(first_,
            "\x1b[?7l"
            "\x1b[?1000l\x1b[?1006l"
            "\x1b[?2004l"
            "\x1b]2;\x07"
            "\x1b[?25l"
            "\x1b[0;44m\x1b[2J");
  std::cout << "[ bytes    ] all-blank 80x30 first frame: " << first_.size() << "\n";
  EXPECT_LT(first_.size(), 100u);
  EXPECT_TRUE(Shows(replay_, console_));
  EXPECT_EQ(Present(), "");
}

TEST_F(TerminalPresenterBytes, ChangedCellsCostFewBytesWithTheCheapestMoves) {
  Write(10, 5, "A", 0x1E);
  const std::string one = Present();
  std::cout << "[ bytes    ] one changed cell: " << one.size() << "\n";
  EXPECT_EQ(one, "\x1b[6;11H\x1b[93mA");
  EXPECT_LE(one.size(), 15u);
  // Two columns on: rewriting the blank in between beats moving forward.
  Write(12, 5, "B", 0x1E);
  EXPECT_EQ(Present(), " B");
  // Down and back one by a backspace, then to the next row's start.
  Write(12, 9, "C", 0x1E);
  EXPECT_EQ(Present(), "\x1b[4B\bC");
  Write(0, 10, "D", 0x1E);
  EXPECT_EQ(Present(), "\033ED");
  // Only the colour parts that change are sent.
  Write(20, 10, "EFGHI", 0x1E);
  console_.WriteCells({21, 10}, std::vector<Cell>{{'F', 0x11}, {'G', 0x71}, {'H', 0x1E}, {'I', 0x0F}});
  EXPECT_EQ(Present(), "\x1b[19CE\x1b[34mF\x1b[47mG\x1b[93;44mH\x1b[97;40mI");
  // A cell in between in another foreground is moved over, not written again.
  Write(30, 10, "abc", 0x1F);
  Present();
  console_.WriteCells({30, 10}, std::vector<Cell>{{'A', 0x1E}});
  console_.WriteCells({32, 10}, std::vector<Cell>{{'C', 0x1E}});
  EXPECT_EQ(Present(), "\b\b\b\x1b[93mA\x1b[CC");
  // One row up or down in the same column: a reverse index, an index.
  Write(32, 9, "u", 0x1E);
  EXPECT_EQ(Present(), "\033M\bu");
  Write(32, 10, "v", 0x1E);
  EXPECT_EQ(Present(), "\033D\bv");
  // Far back along the row: the column by number.
  Write(5, 10, "w", 0x1E);
  EXPECT_EQ(Present(), "\x1b[6Gw");
  EXPECT_TRUE(Shows(replay_, console_));
}

TEST_F(TerminalPresenterBytes, TypingAtTheCursorSendsTheGlyphAlone) {
  console_.SetCursorInfo({25, true});
  console_.SetCursorPosition({20, 10});
  EXPECT_EQ(Present(), "\x1b[11;21H\x1b[?25h");
  Write(20, 10, "x", 0x1F);
  console_.SetCursorPosition({21, 10});
  EXPECT_EQ(Present(), "\x1b[97mx");
  Write(21, 10, "y", 0x1F);
  console_.SetCursorPosition({22, 10});
  EXPECT_EQ(Present(), "y");
  console_.SetCursorInfo({25, false});
  EXPECT_EQ(Present(), "\x1b[?25l");
  EXPECT_TRUE(Shows(replay_, console_));
}

TEST_F(TerminalPresenterBytes, RunsOfBlanksAreErasedRatherThanWritten) {
  Write(5, 3, "Hello, world", 0x1E);
  Write(40, 3, "!", 0x1E);
  Present();
  console_.FillCells({5, 3}, 12, {' ', 0x1F});
  EXPECT_EQ(Present(), "\x1b[6G\x1b[12X");
  // Once the rest of the row is blank too, erasing to its end is shorter.
  Write(5, 3, "Hello", 0x1E);
  Present();
  console_.FillCells({5, 3}, 36, {' ', 0x1F});
  EXPECT_EQ(Present(), "\x1b[5D\x1b[K");
  // A run to the row's end: after the last column the cursor's place is not known.
  Write(76, 8, "tail", 0x1E);
  Present();
  console_.FillCells({76, 8}, 4, {0, 0x1F});
  EXPECT_EQ(Present(), "\x1b[9;77H\x1b[K");
  // Blanks in another background: the colour, then the erase.
  console_.FillCells({0, 12}, 30, {' ', 0x4F});
  EXPECT_EQ(Present(), "\x1b[13H\x1b[41m\x1b[30X");
  EXPECT_TRUE(Shows(replay_, console_));
}

TEST_F(TerminalPresenterBytes, TitleLeavesOutControlBytesAndIsCut) {
  console_.SetTitle("Tab\there \x1b]0;evil\x07 caf\x82\x7f!");
  EXPECT_EQ(Present(), "\x1b]2;Tabhere ]0;evil caf\xC3\xA9!\x07");
  EXPECT_EQ(Present(), "");
  console_.SetTitle(std::string(254, 'x') + "\x82yz");
  EXPECT_EQ(Present(), "\x1b]2;" + std::string(254, 'x') + "\xC3\xA9\x07");
  // Only the cut-off part differs: the terminal shows the same title already.
  console_.SetTitle(std::string(254, 'x') + "\x82zz");
  EXPECT_EQ(Present(), "");
}

// The title's bytes are read in the code page the console spells its title in.
TEST(TerminalPresenterTitle, IsReadInTheConsolesCodePage) {
  const std::pair<const CodePage*, std::string> cases[] = {{&Utf8CodePage(), "caf\u00E9"},
                                                           {&Cp437CodePage(), "caf\u251C\u2310"}};
  for (const auto& [code_page, shown] : cases) {
    VirtualConsole console({10, 2}, {10, 2}, *code_page);
    console.SetTitle("caf\xC3\xA9");
    TerminalPresenter presenter;
    std::string bytes;
    presenter.Present(console, {10, 2}, bytes);
    EXPECT_NE(bytes.find("\x1b]2;" + shown + "\x07"), std::string::npos) << shown;
  }
}

TEST_F(TerminalPresenterBytes, MouseTrackingFollowsTheConsole) {
  console_.SetInputMode(input_mode::kMouse | input_mode::kExtendedFlags);
  EXPECT_EQ(Present(), "\x1b[?1000h\x1b[?1006h");
  console_.SetInputMode(input_mode::kMouse | input_mode::kExtendedFlags | input_mode::kQuickEdit);
  EXPECT_EQ(Present(), "\x1b[?1000l\x1b[?1006l");
}

// Keys read elsewhere (a pipe): no report is turned on, whatever the console asks.
TEST_F(TerminalPresenterBytes, TurnsOnNoReportThatIsNotRead) {
  TerminalPresenter presenter(false);
  console_.SetInputMode(input_mode::kMouse | input_mode::kExtendedFlags);
  console_.SetPasteAsText(true);
  std::string bytes;
  presenter.Present(console_, {80, 30}, bytes);
  EXPECT_EQ(bytes.find("\x1b[?1000h"), std::string::npos);
  EXPECT_EQ(bytes.find("\x1b[?2004h"), std::string::npos);
}

TEST_F(TerminalPresenterBytes, ReleaseHandsOverTheTerminalAndThenRedrawsEverything) {
  console_.SetInputMode(input_mode::kMouse | input_mode::kExtendedFlags);
  console_.SetCursorPosition({5, 3});
  Present();
  std::string bytes;
  presenter_.Release(console_, {80, 30}, 0x1E, bytes);
  EXPECT_EQ(bytes, "\x1b[?1000l\x1b[?1006l\x1b[?7h\x1b[0;93;44m\x1b[4;6H\x1b[?25h");
  replay_.Feed(bytes);
  replay_.Scribble();
  const std::string again = Present();
  EXPECT_EQ(again.rfind("\x1b[?7l", 0), 0u);
  EXPECT_NE(again.find("\x1b[2J"), std::string::npos);
  EXPECT_TRUE(Shows(replay_, console_));

  // The cursor goes where the window shows it, held on the terminal.
  VirtualConsole large({100, 40}, {100, 40});
  large.SetWindowRect({20, 10, 99, 39});
  large.SetCursorPosition({90, 35});
  TerminalPresenter presenter;
  bytes.clear();
  presenter.Release(large, {40, 20}, 0x07, bytes);
  EXPECT_EQ(bytes, "\x1b[?1000l\x1b[?1006l\x1b[?2004l\x1b[?7h\x1b[0;37;40m\x1b[20;40H\x1b[?25h");
}

// The terminal's cursor follows the console's also while hidden, so that a screen
// reader finds what the program points at; pastes are bracketed while the console
// takes them as text, and never once it is handed over.
TEST_F(TerminalPresenterBytes, LeavesAHiddenCursorAtTheConsolesCursorAndBracketsPastesWhileAsked) {
  console_.SetCursorPosition({10, 5});
  Write(30, 20, "x", 0x1F);
  Present();
  EXPECT_EQ(replay_.Cursor(), (Coord{10, 5}));
  EXPECT_FALSE(replay_.CursorVisible());
  EXPECT_EQ(Present(), "");

  console_.SetPasteAsText(true);
  EXPECT_EQ(Present(), "\x1b[?2004h");
  EXPECT_TRUE(replay_.BracketedPaste());
  EXPECT_EQ(Present(), "");
  std::string bytes;
  presenter_.Release(console_, {80, 30}, 0x1F, bytes);
  replay_.Feed(bytes);
  EXPECT_FALSE(replay_.BracketedPaste());
  console_.SetPasteAsText(false);
  Present();
  EXPECT_FALSE(replay_.BracketedPaste());
}

// The SGR sequences in `bytes` that set the SGR code `code`.
int CountColourCode(const std::string& bytes, int code) {
  int count = 0;
  for (std::size_t at = bytes.find("\x1b["); at != std::string::npos; at = bytes.find("\x1b[", at + 1)) {
    std::size_t end = at + 2;
    while (end < bytes.size() && ((bytes[end] >= '0' && bytes[end] <= '9') || bytes[end] == ';')) ++end;
    if (end >= bytes.size() || bytes[end] != 'm') continue;
    const std::string codes = ";" + bytes.substr(at + 2, end - at - 2) + ";";
    if (codes.find(";" + std::to_string(code) + ";") != std::string::npos) ++count;
  }
  return count;
}

TEST_F(TerminalPresenterBytes, AShadowDownABoxIsDrawnInAPassOfItsOwn) {
  for (int y = 5; y < 25; ++y) {
    Write(10, y, "|" + std::string(40, y % 3 == 0 ? 'x' : ' ') + "|", 0x70);
    Write(52, y + 1, "  ", 0x08);
  }
  Write(12, 25, std::string(42, ' '), 0x08);
  const std::string frame = Present();
  EXPECT_TRUE(Shows(replay_, console_));
  // Black (40) is set once, not on each of the 21 rows, nor grey (47) after it.
  EXPECT_EQ(CountColourCode(frame, 40), 1) << frame.size() << " bytes";
  EXPECT_EQ(CountColourCode(frame, 47), 1);
}

TEST(TerminalPresenterColours, EveryAttributeShowsItsTwoAnsiColours) {
  VirtualConsole console({16, 32}, {16, 32});
  for (int attribute = 0; attribute < 256; ++attribute) {
    // Bits above the colours change nothing; blanks show their background.
    const auto high = static_cast<uint16_t>(attribute % 3 == 0 ? 0xC500 : 0);
    console.WriteCells({static_cast<int16_t>(attribute % 16), static_cast<int16_t>(attribute / 16)},
                       std::vector<Cell>{{'X', static_cast<uint16_t>(attribute | high)}});
    console.WriteCells({static_cast<int16_t>(attribute % 16), static_cast<int16_t>(16 + attribute / 16)},
                       std::vector<Cell>{{' ', static_cast<uint16_t>(attribute | high)}});
  }
  TerminalPresenter presenter;
  TerminalReplay replay({16, 32});
  std::string bytes;
  presenter.Present(console, {16, 32}, bytes);
  replay.Feed(bytes);
  EXPECT_TRUE(Shows(replay, console));
  // Bright red on bright blue; cyan on red.
  EXPECT_EQ(replay.At(0xC, 0x9).foreground, 91);
  EXPECT_EQ(replay.At(0xC, 0x9).background, 104);
  EXPECT_EQ(replay.At(0x3, 0x4).foreground, 36);
  EXPECT_EQ(replay.At(0x3, 0x4).background, 41);
}

TEST(TerminalPresenterSizes, ClipsToOddTerminalSizesWithoutFault) {
  VirtualConsole console({80, 30}, {80, 30});
  console.FillCells({0, 0}, 80 * 30, {'#', 0x1F});
  TerminalPresenter presenter;
  for (const Coord terminal : {Coord{0, 0}, Coord{-4, 7}, Coord{32767, 32767}, Coord{0, 0}}) {
    std::string bytes;
    presenter.Present(console, terminal, bytes);
    EXPECT_LT(bytes.size(), 20000u) << terminal;
  }
  // A new size redraws everything even when nobody said so, also at the same
  // number of cells.
  TerminalReplay replay({0, 0});
  int n = 0;
  for (const Coord terminal :
       {Coord{1, 1}, Coord{81, 2}, Coord{20, 40}, Coord{40, 20}, Coord{10, 30}, Coord{30, 10}}) {
    std::string bytes;
    replay.Resize(terminal);
    if (n++ % 2 == 0) presenter.Invalidate();
    presenter.Present(console, terminal, bytes);
    replay.Feed(bytes);
    EXPECT_TRUE(Shows(replay, console)) << terminal;
  }
}

// A dialog as the console-tools library draws one: a frame in double lines, a
// caption, a list, buttons and a shadow, on the blue screen.
TEST(TerminalPresenterDialog, TypicalFrameTakesAFewKilobytes) {
  VirtualConsole console({80, 30}, {80, 30});
  console.FillCells({0, 0}, 80 * 30, {' ', 0x1F});
  TerminalPresenter presenter;
  TerminalReplay replay({80, 30});
  std::string background;
  presenter.Present(console, {80, 30}, background);
  replay.Feed(background);

  auto text = [&](int x, int y, std::string_view s, uint16_t attribute) {
    std::vector<Cell> cells;
    for (const char c : s) cells.push_back({Cp437Glyph(static_cast<uint8_t>(c)), attribute});
    console.WriteCells({static_cast<int16_t>(x), static_cast<int16_t>(y)}, cells);
  };
  for (int y = 6; y < 24; ++y) {
    std::string row(50, ' ');
    row.front() = row.back() = '\xBA';
    if (y == 6 || y == 23) row = "\xC9" + std::string(48, '\xCD') + "\xBB";
    if (y == 23) row.front() = '\xC8', row.back() = '\xBC';
    text(15, y, row, 0x70);
    text(65, y + 1, "  ", 0x08);
  }
  text(17, 25 - 1, std::string(50, ' '), 0x08);
  text(30, 6, " Choose course files ", 0x70);
  const char* names[] = {"ALPHA.ZUL", "BRAVO.ZUL", "CHARLIE.ZUL", "DELTA.ZUL", "ECHO.ZUL", "FOXTROT.ZUL"};
  for (int i = 0; i < 6; ++i)
    text(18, 8 + i, std::string(i == 2 ? "\xFB " : "  ") + names[i], i == 0 ? 0x1F : 0x70);
  text(18, 20, "Space marks, Enter takes, Esc cancels", 0x78);
  text(25, 22, "[  OK  ]", 0x2F);
  text(45, 22, "[Cancel]", 0x70);
  console.SetCursorInfo({25, false});

  std::string dialog;
  presenter.Present(console, {80, 30}, dialog);
  replay.Feed(dialog);
  EXPECT_TRUE(Shows(replay, console));
  TerminalPresenter fresh;
  std::string whole;
  fresh.Present(console, {80, 30}, whole);
  std::cout << "[ bytes    ] dialog over the screen: " << dialog.size() << ", whole frame: " << whole.size()
            << "\n";
  EXPECT_LT(dialog.size(), 4096u);
  EXPECT_LT(whole.size(), 4096u);
}

}  // namespace
}  // namespace zul
