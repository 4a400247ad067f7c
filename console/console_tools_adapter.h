// The adapter through which the chooser calls the console-tools library: it
// owns the calling shapes. Texts go out as fresh byte strings that live for the
// call, the list table goes out as a list descriptor, and text results come
// back as texts, their byte strings freed.
#pragma once

#include <array>
#include <cstdint>

#include "base/text.h"
#include "consoletools/console_tools.h"

namespace zul {

// A list table as the library reads it: a descriptor and a fresh byte string
// for every non-empty entry, all freed with this value.
class ListTableArgument {
 public:
  explicit ListTableArgument(const ListTable& table);
  ~ListTableArgument();
  ListTableArgument(const ListTableArgument&) = delete;
  ListTableArgument& operator=(const ListTableArgument&) = delete;

  const ListDescriptor* Descriptor() const { return &descriptor_; }

 private:
  std::array<ByteString, ListTable::kSize> entries_{};
  ListDescriptor descriptor_{};
};

class ConsoleToolsAdapter {
 public:
  explicit ConsoleToolsAdapter(ConsoleTools& library) : library_(library) {}

  // `flags` is passed by reference to a 32-bit variable holding it.
  void InitConsoleTools(void* instance, int32_t columns, int32_t rows, int32_t mode, int32_t flags,
                        int32_t reserved);
  void ConsoleToolBar(int32_t shown, int32_t height);
  void ConsoleMove(int32_t x, int32_t y);
  void ConsoleIcon(int32_t icon);
  // Sets the caption; the text the library returns is released unread.
  void ConsoleTitle(const Text& caption);
  void DeleteWindowMenuItem(int32_t command);
  void DefaultWindowMenu();
  int32_t LocOfRow(int32_t row);
  int32_t LocOfCol(int32_t column);
  Text ConsoleInputBox(int32_t buttons, int32_t column_position, int32_t row_position, const Text& question,
                       const Text& hint, const Text& default_answer, int32_t focus, int32_t max_length);
  void ConsoleToTop();
  Text ConsoleListBox(int32_t buttons, int32_t left, int32_t top, const Text& heading, const Text& hint,
                      const ListTable& list, int32_t sorted, int32_t multiple, int32_t first_shown);

 private:
  ConsoleTools& library_;
};

}  // namespace zul
