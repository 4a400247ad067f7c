// An in-memory console with the rules of the Windows console: a screen buffer
// of cells, a window onto it that may not leave the buffer nor exceed the
// largest window, a cursor, modes, an attribute and a title. It does no I/O.
// The terminal presenter shows its window; tests use it as the console fake.
#pragma once

#include <string>
#include <vector>

#include "base/code_page.h"
#include "device/console_device.h"

namespace zul {

class VirtualConsole : public ConsoleDevice {
 public:
  // A console whose buffer and window are `size` and whose largest window is
  // `largest` (a terminal's size), its title spelled in `title_code_page`.
  explicit VirtualConsole(Coord size = {80, 25}, Coord largest = {80, 25},
                          const CodePage& title_code_page = Utf8CodePage());

  bool GetBufferInfo(BufferInfo& info) override;
  bool WriteCells(Coord at, std::span<const Cell> cells) override;
  bool ReadCells(Coord at, std::span<Cell> cells) override;
  bool FillCells(Coord at, uint32_t count, Cell fill) override;
  bool ScrollRegion(InclusiveRect source, Coord destination, Cell fill) override;
  bool SetCursorPosition(Coord position) override;
  bool GetCursorInfo(CursorInfo& info) override;
  bool SetCursorInfo(const CursorInfo& info) override;
  bool SetTextAttribute(uint16_t attribute) override;
  bool SetBufferSize(Coord size) override;
  bool SetWindowRect(InclusiveRect window) override;
  bool SetTitle(const std::string& title) override;
  bool GetTitle(std::string& title) override;
  bool GetInputMode(uint32_t& mode) override;
  bool SetInputMode(uint32_t mode) override;
  // Nothing here writes through the character stream: the output mode changes nothing.
  bool SetOutputMode(uint32_t /*mode*/) override { return true; }
  bool SetPasteAsText(bool on) override {
    paste_as_text_ = on;
    return true;
  }
  // It has no input: gives kEnd, at every call.
  bool ReadInput(InputEvent& event, int timeout_ms) override;
  void Flush() override {}

  // The terminal's size changed: later window changes are held to `largest`.
  // The window itself stays; whoever shows it clips it.
  void SetLargestWindow(Coord largest) { largest_ = largest; }

  Coord Size() const { return size_; }
  InclusiveRect Window() const { return window_; }
  Coord Cursor() const { return cursor_; }
  const CursorInfo& CursorShape() const { return cursor_info_; }
  uint16_t Attribute() const { return attribute_; }
  const std::string& Title() const { return title_; }
  const CodePage& TitleCodePage() const { return *title_code_page_; }
  uint32_t InputMode() const { return input_mode_; }
  bool QuickEdit() const { return quick_edit_; }
  bool PasteAsText() const { return paste_as_text_; }
  // Mouse events are reported only with mouse input on and quick-edit off.
  bool MouseReporting() const;

  // Every cell of the buffer, row after row.
  const std::vector<Cell>& Cells() const { return cells_; }
  // The cell at `at`, which must lie in the buffer.
  const Cell& At(Coord at) const { return cells_[Index(at)]; }

 private:
  // Nothing to hand over: the console lives in memory.
  void HandToChild() override {}
  void TakeBack() override {}

  std::size_t Index(Coord at) const {
    return static_cast<std::size_t>(at.y) * static_cast<std::size_t>(size_.x) + static_cast<std::size_t>(at.x);
  }
  InclusiveRect Buffer() const { return InclusiveRect::FromSize({0, 0}, size_.x, size_.y); }
  bool InBuffer(Coord at) const { return Buffer().Contains(at); }

  Coord size_;
  InclusiveRect window_;
  Coord largest_;
  Coord cursor_;
  CursorInfo cursor_info_;
  uint16_t attribute_ = colour::kDefaultAttribute;
  std::string title_;
  const CodePage* title_code_page_;
  uint32_t input_mode_ = input_mode::kFreshConsole;
  bool quick_edit_ = true;
  bool paste_as_text_ = false;
  std::vector<Cell> cells_;
};

}  // namespace zul
