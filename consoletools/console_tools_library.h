// Our console-tools library: decorates the console window where the platform
// lets it, and runs the dialogs (dialogs/) for the calls of its interface: it reads
// their byte strings and the list descriptor, gives the numbers their meaning, and
// hands the dialogs texts and names.
#pragma once

#include "base/code_page.h"
#include "consoletools/console_tools.h"
#include "consoletools/window_decorations.h"
#include "device/console_device.h"
#include "device/monotonic_clock.h"

namespace zul {

// The most bytes an input box's answer may hold, whatever the caller asks for.
constexpr int32_t kInputBoxLimit = 32768;

class ConsoleToolsLibrary : public ConsoleTools {
 public:
  ConsoleToolsLibrary(ConsoleDevice& device, WindowDecorations& window, const CodePage& code_page,
                      MonotonicClock& clock);

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
  // RunInputBox centred on the cell at the two positions. Every value of `buttons`
  // gives OK and Cancel; the field has the focus whatever `focus` says.
  // `max_length` is the most bytes the answer may hold; 0, negative or larger
  // values mean kInputBoxLimit. The answer is a path: the box helps to give one
  // from the file system (FileSystemFolders), and gives it back as TakenAnswer
  // reads it, quoting taken away.
  ByteString ConsoleInputBox(int32_t buttons, int32_t column_position, int32_t row_position, const char* question,
                             const char* hint, const char* default_answer, int32_t focus,
                             int32_t max_length) override;
  int32_t ConsoleToTop() override;
  // RunListBox over ReadListNames(list): `sorted` != 0 shows the names in byte
  // order, else in table order; `multiple` != 0 lets several be marked, else one;
  // `first_shown` is the name the highlight starts on, from 0; `left` and `top`
  // place the box as RunListBox says. Every value of `buttons` gives OK and Cancel.
  ByteString ConsoleListBox(int32_t buttons, int32_t left, int32_t top, const char* heading, const char* hint,
                            const ListDescriptor* list, int32_t sorted, int32_t multiple,
                            int32_t first_shown) override;

 private:
  ConsoleDevice& device_;
  WindowDecorations& window_;
  const CodePage& code_page_;
  MonotonicClock& clock_;
  void* instance_ = nullptr;
};

}  // namespace zul
