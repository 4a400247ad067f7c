// The text screen: the grid of character cells that the chooser writes on, with
// a cursor and a current colour. Text goes straight into cells, byte for byte;
// the console's character stream is left to child processes. No operation
// reports an error: results of console calls are ignored, as the chooser needs.
#pragma once

#include <cstdint>

#include "base/code_page.h"
#include "base/text.h"
#include "device/console_colours.h"
#include "device/console_device.h"

namespace zul {

class TextScreen {
 public:
  // The most columns or rows SetSize takes.
  static constexpr int32_t kLargestSettableSide = 9999;
  // A colour for SetColour that keeps the current one.
  static constexpr int32_t kKeepColour = -1;
  static constexpr uint32_t kStartOutputMode = output_mode::kProcessed | output_mode::kWrapAtEol;
  static constexpr uint32_t kMouseInputMode = input_mode::kMouse;

  // Takes the screen over: output mode 3, input mode 0, colour 7 on 0, and the
  // cursor shape as the console has it (size 10, visible, when it cannot be read
  // or its size is 0). Texts are read in `code_page`, a character a cell or two.
  TextScreen(ConsoleDevice& device, const CodePage& code_page);

  // Each value from 0 to 15 replaces the current one; any other value (compared
  // as unsigned, so -1 too) keeps it. The attribute also becomes the console's
  // attribute for the character stream.
  void SetColour(int32_t foreground, int32_t background);
  // Every cell of the buffer becomes a blank in the current attribute; the
  // cursor goes home and scroll pending is cleared.
  void Clear();
  // Writes the text at the cursor, then ends the line.
  void WriteLine(const Text& text);
  // Makes the window and the buffer `columns` by `rows`; nothing happens when
  // either exceeds kLargestSettableSide.
  void SetSize(int32_t columns, int32_t rows);
  void SetWindowTitle(const Text& title);
  // Input mode exactly 16: mouse input, and nothing else.
  void MouseInputOn();

  uint16_t Attribute() const { return colour::Attribute(foreground_, background_); }
  bool ScrollPending() const { return scroll_pending_; }

  // Writing without ending the line, and ending it; WriteLine is both.
  void Write(const Text& text);
  void EndLine();

 private:
  void ScrollUpOneRow(Coord size);

  ConsoleDevice& device_;
  const CodePage& code_page_;
  int32_t foreground_ = colour::Foreground(colour::kDefaultAttribute);
  int32_t background_ = colour::Background(colour::kDefaultAttribute);
  bool scroll_pending_ = false;
  CursorInfo cursor_shape_;
};

}  // namespace zul
