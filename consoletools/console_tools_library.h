// Our console-tools library: decorates the console window where the platform
// lets it, and runs the input box and the list box. It draws only through the
// console device.
#pragma once

#include "consoletools/console_tools.h"
#include "consoletools/window_decorations.h"
#include "device/console_device.h"

namespace zul {

class ConsoleToolsLibrary : public ConsoleTools {
 public:
  ConsoleToolsLibrary(ConsoleDevice& device, WindowDecorations& window);

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
  ConsoleDevice& device_;
  WindowDecorations& window_;
  void* instance_ = nullptr;
};

}  // namespace zul
