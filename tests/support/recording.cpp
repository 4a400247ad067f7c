#include "tests/support/recording.h"

#include <cstdio>

namespace zul::testing {

namespace {

std::string QuotedBytes(const char* bytes);

std::string Hex(unsigned value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%x", value);
  return buffer;
}

}  // namespace

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\0')
      out += "\\0";
    else
      out += c;
  }
  return out + "\"";
}

namespace {
std::string QuotedBytes(const char* bytes) { return Quoted(ByteStringText(bytes)); }
}  // namespace

int32_t RecordingConsoleTools::InitConsoleTools(void* instance, int32_t columns, int32_t rows, int32_t mode,
                                                int32_t* flags, int32_t reserved) {
  log_.push_back("InitConsoleTools(" + std::string(instance ? "instance" : "null") + ", " +
                 std::to_string(columns) + ", " + std::to_string(rows) + ", " + std::to_string(mode) + ", &" +
                 (flags ? std::to_string(*flags) : "null") + ", " + std::to_string(reserved) + ")");
  return 1;
}

int32_t RecordingConsoleTools::ConsoleToolBar(int32_t shown, int32_t height) {
  log_.push_back("ConsoleToolBar(" + std::to_string(shown) + ", " + std::to_string(height) + ")");
  return 1;
}

int32_t RecordingConsoleTools::ConsoleMove(int32_t x, int32_t y) {
  log_.push_back("ConsoleMove(" + std::to_string(x) + ", " + std::to_string(y) + ")");
  return 1;
}

int32_t RecordingConsoleTools::ConsoleIcon(int32_t icon) {
  log_.push_back("ConsoleIcon(" + std::to_string(icon) + ")");
  return 1;
}

ByteString RecordingConsoleTools::ConsoleTitle(const char* caption) {
  log_.push_back("ConsoleTitle(" + QuotedBytes(caption) + ")");
  return AllocByteString("previous caption");
}

int32_t RecordingConsoleTools::DeleteWindowMenuItem(int32_t command) {
  log_.push_back("DeleteWindowMenuItem(" + std::to_string(command) + ")");
  return 1;
}

int32_t RecordingConsoleTools::DefaultWindowMenu() {
  log_.push_back("DefaultWindowMenu()");
  return 1;
}

int32_t RecordingConsoleTools::LocOfRow(int32_t row) {
  log_.push_back("LocOfRow(" + std::to_string(row) + ")");
  return row * 100;
}

int32_t RecordingConsoleTools::LocOfCol(int32_t column) {
  log_.push_back("LocOfCol(" + std::to_string(column) + ")");
  return column * 10;
}

ByteString RecordingConsoleTools::ConsoleInputBox(int32_t buttons, int32_t column_position, int32_t row_position,
                                                  const char* question, const char* hint,
                                                  const char* default_answer, int32_t focus, int32_t max_length) {
  log_.push_back("ConsoleInputBox(" + std::to_string(buttons) + ", " + std::to_string(column_position) + ", " +
                 std::to_string(row_position) + ", " + QuotedBytes(question) + ", " + QuotedBytes(hint) + ", " +
                 (default_answer ? QuotedBytes(default_answer) : "null") + ", " + std::to_string(focus) + ", " +
                 std::to_string(max_length) + ")");
  return NextAnswer();
}

int32_t RecordingConsoleTools::ConsoleToTop() {
  log_.push_back("ConsoleToTop()");
  return 1;
}

ByteString RecordingConsoleTools::ConsoleListBox(int32_t buttons, int32_t left, int32_t top, const char* heading,
                                                 const char* hint, const ListDescriptor* list, int32_t sorted,
                                                 int32_t multiple, int32_t first_shown) {
  last_list.clear();
  for (int32_t i = 0; i < list->bounds[0].upper - list->bounds[0].lower + 1; ++i)
    if (list->data[i] != nullptr) last_list.push_back(ByteStringText(list->data[i]));
  log_.push_back("ConsoleListBox(" + std::to_string(buttons) + ", " + std::to_string(left) + ", " +
                 std::to_string(top) + ", " + QuotedBytes(heading) + ", " + QuotedBytes(hint) + ", list, " +
                 std::to_string(sorted) + ", " + std::to_string(multiple) + ", " + std::to_string(first_shown) +
                 ")");
  return NextAnswer();
}

ByteString RecordingConsoleTools::NextAnswer() {
  if (answers.empty()) return nullptr;
  std::string answer = answers.front();
  answers.erase(answers.begin());
  return AllocByteString(answer);
}

bool RecordingConsole::FillCells(Coord at, uint32_t count, Cell fill) {
  log_.push_back("FillCells(" + std::to_string(at.x) + "," + std::to_string(at.y) + "," + std::to_string(count) +
                 "," + Hex(fill.attribute) + ")");
  return VirtualConsole::FillCells(at, count, fill);
}

bool RecordingConsole::ScrollRegion(InclusiveRect source, Coord destination, Cell fill) {
  log_.push_back("ScrollRegion(" + std::to_string(source.top) + ".." + std::to_string(source.bottom) + "->" +
                 std::to_string(destination.y) + "," + Hex(fill.attribute) + ")");
  return VirtualConsole::ScrollRegion(source, destination, fill);
}

bool RecordingConsole::SetCursorInfo(const CursorInfo& info) {
  log_.push_back("SetCursorInfo(" + std::to_string(info.size) + "," + (info.visible ? "shown" : "hidden") + ")");
  return VirtualConsole::SetCursorInfo(info);
}

bool RecordingConsole::SetTextAttribute(uint16_t attribute) {
  log_.push_back("SetTextAttribute(" + Hex(attribute) + ")");
  return VirtualConsole::SetTextAttribute(attribute);
}

bool RecordingConsole::SetBufferSize(Coord size) {
  log_.push_back("SetBufferSize(" + std::to_string(size.x) + "x" + std::to_string(size.y) + ")");
  return VirtualConsole::SetBufferSize(size);
}

bool RecordingConsole::SetWindowRect(InclusiveRect window) {
  log_.push_back("SetWindowRect(" + std::to_string(window.right + 1) + "x" + std::to_string(window.bottom + 1) +
                 ")");
  return VirtualConsole::SetWindowRect(window);
}

bool RecordingConsole::SetTitle(const std::string& title) {
  log_.push_back("SetTitle(" + Quoted(title) + ")");
  return VirtualConsole::SetTitle(title);
}

bool RecordingConsole::SetInputMode(uint32_t mode) {
  log_.push_back("SetInputMode(" + std::to_string(mode) + ")");
  return VirtualConsole::SetInputMode(mode);
}

bool RecordingConsole::SetOutputMode(uint32_t mode) {
  log_.push_back("SetOutputMode(" + std::to_string(mode) + ")");
  return VirtualConsole::SetOutputMode(mode);
}

}  // namespace zul::testing
