// Test fakes that record calls into one shared log, so a test can check the
// order of console-tools calls and console calls together: a console-tools
// library and a console device that wraps a VirtualConsole.
#pragma once

#include <string>
#include <vector>

#include "consoletools/console_tools.h"
#include "device/virtual_console.h"
#include "tests/support/printers.h"

namespace zul::testing {

using CallLog = std::vector<std::string>;

// Records every call with its arguments; texts are shown in quotes. The input
// box and list box answer with the texts queued in `answers`, in order, or
// with the empty text when none is left.
class RecordingConsoleTools : public ConsoleTools {
 public:
  explicit RecordingConsoleTools(CallLog& log) : log_(log) {}

  std::vector<std::string> answers;
  // The names the last list box call could read through its descriptor.
  std::vector<std::string> last_list;

  int32_t InitConsoleTools(void* instance, int32_t columns, int32_t rows, int32_t mode, int32_t* flags,
                           int32_t reserved) override;
  int32_t ConsoleToolBar(int32_t shown, int32_t height) override;
  int32_t ConsoleMove(int32_t x, int32_t y) override;
  int32_t ConsoleIcon(int32_t icon) override;
  ByteString ConsoleTitle(const char* caption) override;
  int32_t DeleteWindowMenuItem(int32_t command) override;
  int32_t DefaultWindowMenu() override;
  int32_t LocOfRow(int32_t row) override;
  int32_t LocOfCol(int32_t column) override;
  ByteString ConsoleInputBox(int32_t buttons, int32_t column_position, int32_t row_position, const char* question,
                             const char* hint, const char* default_answer, int32_t focus,
                             int32_t max_length) override;
  int32_t ConsoleToTop() override;
  ByteString ConsoleListBox(int32_t buttons, int32_t left, int32_t top, const char* heading, const char* hint,
                            const ListDescriptor* list, int32_t sorted, int32_t multiple,
                            int32_t first_shown) override;

 private:
  ByteString NextAnswer();
  CallLog& log_;
};

// A VirtualConsole that records the calls that change the console (not the
// reads), in the form "SetInputMode(16)", "FillCells(0,0,2000,0x2e)".
class RecordingConsole : public VirtualConsole {
 public:
  RecordingConsole(CallLog& log, Coord size = {80, 25}, Coord largest = {200, 100})
      : VirtualConsole(size, largest), log_(log) {}

  bool FillCells(Coord at, uint32_t count, Cell fill) override;
  bool ScrollRegion(InclusiveRect source, Coord destination, Cell fill) override;
  bool SetCursorInfo(const CursorInfo& info) override;
  bool SetTextAttribute(uint16_t attribute) override;
  bool SetBufferSize(Coord size) override;
  bool SetWindowRect(InclusiveRect window) override;
  bool SetTitle(const std::string& title) override;
  bool SetInputMode(uint32_t mode) override;
  bool SetOutputMode(uint32_t mode) override;

 private:
  CallLog& log_;
};

// A text shown in a log: its bytes in quotes, zero bytes as \0.
std::string Quoted(const std::string& text);

}  // namespace zul::testing
