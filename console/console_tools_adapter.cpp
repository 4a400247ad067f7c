#include "console/console_tools_adapter.h"

namespace zul {

namespace {

// A text argument: a fresh byte string, freed when the call is over.
class ByteStringArgument {
 public:
  explicit ByteStringArgument(const Text& text) : bytes_(AllocByteString(text)) {}
  ~ByteStringArgument() { FreeByteString(bytes_); }
  ByteStringArgument(const ByteStringArgument&) = delete;
  ByteStringArgument& operator=(const ByteStringArgument&) = delete;
  const char* get() const { return bytes_; }

 private:
  ByteString bytes_;
};

// Takes a text result over: its bytes as a text, the byte string freed.
Text TakeResult(ByteString result) {
  Text text = ByteStringText(result);
  FreeByteString(result);
  return text;
}

}  // namespace

ListTableArgument::ListTableArgument(const ListTable& table) {
  for (int i = ListTable::kLower; i <= ListTable::kUpper; ++i)
    entries_[static_cast<std::size_t>(i - ListTable::kLower)] = AllocByteString(table[i]);
  descriptor_.data = entries_.data();
  descriptor_.flags = kListDescriptorFlags;
  descriptor_.entry_type = kListEntryTypeText;
  descriptor_.dimensions = 1;
  descriptor_.entry_count = ListTable::kSize;
  descriptor_.entry_size = sizeof(ByteString);
  descriptor_.byte_size = ListTable::kSize * sizeof(ByteString);
  descriptor_.bounds[0].lower = ListTable::kLower;
  descriptor_.bounds[0].upper = ListTable::kUpper;
}

ListTableArgument::~ListTableArgument() {
  for (ByteString entry : entries_) FreeByteString(entry);
}

void ConsoleToolsAdapter::InitConsoleTools(void* instance, int32_t columns, int32_t rows, int32_t mode,
                                           int32_t flags, int32_t reserved) {
  int32_t flags_variable = flags;
  library_.InitConsoleTools(instance, columns, rows, mode, &flags_variable, reserved);
}

void ConsoleToolsAdapter::ConsoleToolBar(int32_t shown, int32_t height) { library_.ConsoleToolBar(shown, height); }

void ConsoleToolsAdapter::ConsoleMove(int32_t x, int32_t y) { library_.ConsoleMove(x, y); }

void ConsoleToolsAdapter::ConsoleIcon(int32_t icon) { library_.ConsoleIcon(icon); }

void ConsoleToolsAdapter::ConsoleTitle(const Text& caption) {
  ByteStringArgument argument(caption);
  FreeByteString(library_.ConsoleTitle(argument.get()));
}

void ConsoleToolsAdapter::DeleteWindowMenuItem(int32_t command) { library_.DeleteWindowMenuItem(command); }

void ConsoleToolsAdapter::DefaultWindowMenu() { library_.DefaultWindowMenu(); }

int32_t ConsoleToolsAdapter::LocOfRow(int32_t row) { return library_.LocOfRow(row); }

int32_t ConsoleToolsAdapter::LocOfCol(int32_t column) { return library_.LocOfCol(column); }

Text ConsoleToolsAdapter::ConsoleInputBox(int32_t buttons, int32_t column_position, int32_t row_position,
                                          const Text& question, const Text& hint, const Text& default_answer,
                                          int32_t focus, int32_t max_length) {
  ByteStringArgument question_argument(question);
  ByteStringArgument hint_argument(hint);
  ByteStringArgument default_argument(default_answer);
  return TakeResult(library_.ConsoleInputBox(buttons, column_position, row_position, question_argument.get(),
                                             hint_argument.get(), default_argument.get(), focus, max_length));
}

void ConsoleToolsAdapter::ConsoleToTop() { library_.ConsoleToTop(); }

Text ConsoleToolsAdapter::ConsoleListBox(int32_t buttons, int32_t left, int32_t top, const Text& heading,
                                         const Text& hint, const ListTable& list, int32_t sorted, int32_t multiple,
                                         int32_t first_shown) {
  ByteStringArgument heading_argument(heading);
  ByteStringArgument hint_argument(hint);
  ListTableArgument list_argument(list);
  return TakeResult(library_.ConsoleListBox(buttons, left, top, heading_argument.get(), hint_argument.get(),
                                            list_argument.Descriptor(), sorted, multiple, first_shown));
}

}  // namespace zul
