#include "consoletools/console_tools_library.h"

#include <algorithm>
#include <memory>
#include <string>

#include "consoletools/folder_source.h"
#include "dialogs/input_box.h"
#include "dialogs/list_box.h"

namespace zul {

ConsoleToolsLibrary::ConsoleToolsLibrary(ConsoleDevice& device, WindowDecorations& window,
                                         const CodePage& code_page, MonotonicClock& clock)
    : device_(device), window_(window), code_page_(code_page), clock_(clock) {}

// The library keeps the program's instance for its icon; the other values
// describe a console that the text screen shapes itself, and are not needed.
int32_t ConsoleToolsLibrary::InitConsoleTools(void* instance, int32_t, int32_t, int32_t, int32_t*, int32_t) {
  instance_ = instance;
  return 1;
}

// This library draws no toolbar: the call is accepted and changes nothing.
int32_t ConsoleToolsLibrary::ConsoleToolBar(int32_t, int32_t) { return 0; }

int32_t ConsoleToolsLibrary::ConsoleMove(int32_t x, int32_t y) { return window_.Move(x, y) ? 1 : 0; }

int32_t ConsoleToolsLibrary::ConsoleIcon(int32_t icon) { return window_.SetIcon(instance_, icon) ? 1 : 0; }

ByteString ConsoleToolsLibrary::ConsoleTitle(const char* caption) {
  std::string previous;
  device_.GetTitle(previous);
  device_.SetTitle(ByteStringText(caption));
  return AllocByteString(previous);
}

int32_t ConsoleToolsLibrary::DeleteWindowMenuItem(int32_t command) {
  return window_.DeleteMenuItem(command) ? 1 : 0;
}

int32_t ConsoleToolsLibrary::DefaultWindowMenu() { return window_.ResetMenu() ? 1 : 0; }

// Positions are counted in cells, from 1 at the top left: row r and column c
// are positions r and c, and a dialog given them centres itself there.
int32_t ConsoleToolsLibrary::LocOfRow(int32_t row) { return row; }
int32_t ConsoleToolsLibrary::LocOfCol(int32_t column) { return column; }

ByteString ConsoleToolsLibrary::ConsoleInputBox(int32_t /*buttons*/, int32_t column_position, int32_t row_position,
                                                const char* question, const char* hint, const char* default_answer,
                                                int32_t /*focus*/, int32_t max_length) {
  const auto limit =
      static_cast<std::size_t>(max_length <= 0 || max_length > kInputBoxLimit ? kInputBoxLimit : max_length);
  const Text typed = RunInputBox(device_, code_page_, clock_, column_position, row_position,
                                 ByteStringText(question), ByteStringText(hint), ByteStringText(default_answer),
                                 limit, std::make_shared<FileSystemFolders>(code_page_));
  return AllocByteString(typed.empty() ? typed : TakenAnswer(typed, PlatformPathStyle()));
}

int32_t ConsoleToolsLibrary::ConsoleToTop() { return window_.BringToTop() ? 1 : 0; }

ByteString ConsoleToolsLibrary::ConsoleListBox(int32_t /*buttons*/, int32_t left, int32_t top, const char* heading,
                                               const char* hint, const ListDescriptor* list, int32_t sorted,
                                               int32_t multiple, int32_t first_shown) {
  std::vector<Text> names = ReadListNames(list);
  if (sorted != 0)
    std::stable_sort(names.begin(), names.end(),
                     [](const Text& a, const Text& b) { return CompareTexts(a, b) < 0; });
  return AllocByteString(RunListBox(device_, code_page_, clock_, left, top, ByteStringText(heading),
                                    ByteStringText(hint), std::move(names), multiple != 0, first_shown));
}

}  // namespace zul
