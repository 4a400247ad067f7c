#include "terminal/terminal_owner.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "terminal/terminal_sequences.h"

namespace zul {
namespace {

// The terminal as the owner acts on it: the bytes of the last step and the input
// settings last set.
struct RecordedTerminal final : TerminalLink {
  std::string written;
  std::optional<TerminalInput> input;
  void Write(std::string_view bytes) override { written += bytes; }
  void SetInput(TerminalInput settings) override { input = settings; }
};

constexpr std::string_view kMouseMode = "mouse";
// What a step writes before the bytes a row gives: nothing, the cells that changed,
// or a whole frame that erases the terminal first.
enum class Frame { kNone, kChanges, kFull };
constexpr std::string_view kProcessedMode = "processed";
// Mouse reports on, and pastes taken as text, as while a dialog is open.
constexpr std::string_view kDialogMode = "dialog";

// What each way of handing the terminal over writes, how the terminal then reads
// input, and what a signal would write at that moment. Each row runs `before` on a
// console of `window_rows` rows (the cursor at column 5, row 3, yellow on blue) on an
// 80 x 30 terminal, then `step`. A whole frame brackets pastes while the console
// takes them as text. Steps: d draws a cell, s shows the console, c hands
// the terminal to a child, b takes it back, r resizes the terminal, o continues
// after a stop, e ends the run.
TEST(TerminalOwner, HandsOverAndPreparesTheSignalBytesForWhoeverHasTheTerminal) {
  const std::string release = "\x1b[?1000l\x1b[?1006l\x1b[?7h\x1b[0;93;44m\x1b[4;6H\x1b[?25h";
  const std::string end = "\x1b[?1000l\x1b[?1006l\x1b[?7h\x1b[0m\x1b[4;6H\x1b[?25h";
  const std::string restore = "\x1b[?1000l\x1b[?1006l\x1b[?2004l\x1b[?7h\x1b[0m\x1b[?25h";
  struct Row {
    const char* what;
    bool presenting;
    int window_rows;
    std::string_view mode;
    const char* before;
    char step;
    Frame frame;  // what the step writes before `written`
    std::string written;
    std::optional<TerminalInput> input;  // as the step leaves it; nullopt: the step sets none
    std::string cut_short;
  };
  const Row rows[] = {
      {"the first frame", true, 10, kMouseMode, "", 's', Frame::kFull, "", std::nullopt, restore + "\x1b[10H\n"},
      {"a window as tall as the terminal", true, 30, kMouseMode, "", 's', Frame::kFull, "", std::nullopt,
       restore + "\x1b[30H\n"},
      {"nothing changed, nothing shown", true, 10, kMouseMode, "s", 's', Frame::kNone, "", std::nullopt,
       restore + "\x1b[10H\n"},
      {"a child after a frame", true, 10, kMouseMode, "s", 'c', Frame::kNone, release, TerminalInput::kOwnSettings,
       restore},
      {"a child while a drawing waits", true, 10, kMouseMode, "sd", 'c', Frame::kChanges, release,
       TerminalInput::kOwnSettings, restore},
      {"a child after a child", true, 10, kMouseMode, "scb", 'c', Frame::kNone, "", TerminalInput::kOwnSettings,
       restore},
      {"taken back, raw", true, 10, kMouseMode, "sc", 'b', Frame::kNone, "", TerminalInput::kRaw, restore},
      {"taken back, Ctrl+C a signal", true, 10, kProcessedMode, "sc", 'b', Frame::kNone, "",
       TerminalInput::kRawWithSignalKeys, restore},
      {"after a child, the child's output stays", true, 10, kMouseMode, "scb", 's', Frame::kNone, "", std::nullopt,
       restore},
      {"after a child, a drawing is shown in full", true, 10, kDialogMode, "scbd", 's', Frame::kFull, "",
       std::nullopt, restore + "\x1b[10H\n"},
      {"a resize during a child is not drawn", true, 10, kMouseMode, "scrb", 's', Frame::kNone, "", std::nullopt,
       restore},
      {"the end of a shown console", true, 10, kMouseMode, "s", 'e', Frame::kNone, end, std::nullopt,
       restore + "\x1b[10H\n"},
      {"the end after a child", true, 10, kMouseMode, "scb", 'e', Frame::kNone, restore, std::nullopt, restore},
      {"no terminal: nothing written", false, 10, kMouseMode, "sd", 'c', Frame::kNone, "",
       TerminalInput::kOwnSettings, restore},
      {"continued: raw again", true, 10, kMouseMode, "s", 'o', Frame::kNone, "", TerminalInput::kRaw,
       restore + "\x1b[10H\n"},
      {"continued: Ctrl+C a signal again", true, 10, kProcessedMode, "s", 'o', Frame::kNone, "",
       TerminalInput::kRawWithSignalKeys, restore + "\x1b[10H\n"},
      {"continued, a shown console is drawn in full", true, 10, kDialogMode, "so", 's', Frame::kFull, "",
       std::nullopt, restore + "\x1b[10H\n"},
      {"continued during a child: the child keeps the settings", true, 10, kMouseMode, "sc", 'o', Frame::kNone, "",
       std::nullopt, restore},
      {"continued after a child, the child's output stays", true, 10, kMouseMode, "scbo", 's', Frame::kNone, "",
       std::nullopt, restore},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    VirtualConsole console({80, static_cast<int16_t>(row.window_rows)}, {80, 30});
    console.SetInputMode(row.mode == kProcessedMode ? input_mode::kProcessed
                                                    : input_mode::kMouse | input_mode::kExtendedFlags);
    console.SetPasteAsText(row.mode == kDialogMode);
    console.SetCursorPosition({5, 3});
    console.SetTextAttribute(0x1E);
    TerminalOwner owner(row.presenting);
    RecordedTerminal terminal;
    auto run = [&](char step) {
      terminal.written.clear();
      terminal.input.reset();
      switch (step) {
        case 'd': {
          const Cell cell{'x', 0x1E};
          console.WriteCells({1, 1}, std::span(&cell, 1));
          owner.ConsoleChanged();
          break;
        }
        case 's':
          owner.Show(console, {80, 30}, terminal);
          break;
        case 'c':
          owner.HandToChild(console, {80, 30}, terminal);
          break;
        case 'b':
          owner.TakeBack(console, terminal);
          break;
        case 'r':
          owner.Resized();
          break;
        case 'o':
          owner.Continued(console, terminal);
          break;
        case 'e':
          terminal.written = owner.End(console, {80, 30});
          break;
      }
    };
    for (const char* step = row.before; *step != '\0'; ++step) run(*step);
    run(row.step);
    const std::string& written = terminal.written;
    if (row.frame == Frame::kNone) {
      EXPECT_EQ(written, row.written);
    } else {
      EXPECT_TRUE(written.size() > row.written.size() && written.ends_with(row.written)) << written;
      EXPECT_EQ(written.find(vt::kEraseScreen) != std::string::npos, row.frame == Frame::kFull) << written;
      if (row.frame == Frame::kFull) {
        EXPECT_EQ(written.find(vt::kBracketedPasteOn) != std::string::npos, row.mode == kDialogMode) << written;
      }
    }
    EXPECT_EQ(terminal.input, row.input);
    EXPECT_EQ(owner.CutShortBytes().Get(), row.cut_short);
  }
}

// The bytes kept for a signal fit a fixed buffer: longer ones are refused and
// those kept before stay.
TEST(PreparedBytes, KeepsWhatFitsAndRefusesWhatDoesNot) {
  PreparedBytes prepared;
  const std::string full(PreparedBytes::kCapacity, 'f');
  EXPECT_TRUE(prepared.Set(full));
  EXPECT_EQ(prepared.Get(), full);
  EXPECT_FALSE(prepared.Set(full + "x"));
  EXPECT_EQ(prepared.Get(), full);
  EXPECT_TRUE(prepared.Set("short"));
  EXPECT_EQ(prepared.Get(), "short");
}

}  // namespace
}  // namespace zul
