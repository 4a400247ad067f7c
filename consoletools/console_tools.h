// The console-tools library's interface: window decoration, the input box, the
// list box and screen-position conversion. Texts cross as byte strings; the
// list crosses as a list descriptor. Numbers are 32-bit signed, by value.
// Results other than texts are informational: the chooser ignores them.
#pragma once

#include <cstdint>

#include "consoletools/byte_string.h"
#include "consoletools/list_descriptor.h"

namespace zul {

// Window-menu commands (the Windows SC_* values).
constexpr int32_t kScSize = 61440;
constexpr int32_t kScMinimize = 61472;
constexpr int32_t kScMaximize = 61488;
constexpr int32_t kScClose = 61536;

// The place that, given to ConsoleMove for both x and y, centres the window.
constexpr int32_t kCentreWindow = 32767;

class ConsoleTools {
 public:
  virtual ~ConsoleTools() = default;

  // Starts the library for the program `instance`. `flags` is read through its
  // reference and may be updated.
  virtual int32_t InitConsoleTools(void* instance, int32_t columns, int32_t rows, int32_t mode, int32_t* flags,
                                   int32_t reserved) = 0;
  virtual int32_t ConsoleToolBar(int32_t shown, int32_t height) = 0;
  // Moves the console window; kCentreWindow on both sides centres it on the display.
  virtual int32_t ConsoleMove(int32_t x, int32_t y) = 0;
  virtual int32_t ConsoleIcon(int32_t icon) = 0;
  // Sets the window caption; returns the caption it had (the caller owns it).
  virtual ByteString ConsoleTitle(const char* caption) = 0;
  virtual int32_t DeleteWindowMenuItem(int32_t command) = 0;
  virtual int32_t DefaultWindowMenu() = 0;
  // Screen positions of a row and of a column, for placing the dialogs.
  virtual int32_t LocOfRow(int32_t row) = 0;
  virtual int32_t LocOfCol(int32_t column) = 0;
  // Asks one question; returns the typed answer, or an empty or blank text when
  // cancelled. Returns only when the box is closed.
  virtual ByteString ConsoleInputBox(int32_t buttons, int32_t column_position, int32_t row_position,
                                     const char* question, const char* hint, const char* default_answer,
                                     int32_t focus, int32_t max_length) = 0;
  virtual int32_t ConsoleToTop() = 0;
  // Offers the names of `list` (its non-empty entries) and returns the chosen
  // ones, separated by single zero bytes, with no empty field between two
  // names; the empty text when nothing is chosen or the box is cancelled.
  virtual ByteString ConsoleListBox(int32_t buttons, int32_t left, int32_t top, const char* heading,
                                    const char* hint, const ListDescriptor* list, int32_t sorted, int32_t multiple,
                                    int32_t first_shown) = 0;
};

}  // namespace zul
