// The console on Windows: the device that passes each call through to this process's
// real console. The pure win32/ files translate its cells, records, piped bytes and texts;
// its control handlers and the reader of a redirected input have files of their own.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "device/console_device.h"
#include "device/open_console_device.h"
#include "device/private_input_flags.h"
#include "win32/console_cells.h"
#include "win32/console_host.h"
#include "win32/control_handler_win32.h"
#include "win32/fill_runs.h"
#include "win32/input_records.h"
#include "win32/piped_bytes.h"
#include "win32/redirected_input_win32.h"
#include "win32/wide_text.h"

namespace zul {

namespace {

// Cells go to and from the console in pieces of at most this many, since the console
// refuses very large cell buffers.
constexpr std::size_t kCellsPerCall = 8000;
// Input records taken from the console in one read.
constexpr DWORD kRecordsPerRead = 32;
// How long to wait before looking again when the console signals input but holds none.
constexpr DWORD kEmptyInputPauseMs = 10;
// The longest console title that is read back, terminator included.
constexpr DWORD kTitleBuffer = 65536;

COORD ToCoord(Coord c) { return COORD{c.x, c.y}; }
Coord FromCoord(COORD c) { return Coord{c.X, c.Y}; }
SMALL_RECT ToRect(InclusiveRect r) { return SMALL_RECT{r.left, r.top, r.right, r.bottom}; }
InclusiveRect FromRect(SMALL_RECT r) { return InclusiveRect{r.Left, r.Top, r.Right, r.Bottom}; }

CHAR_INFO ToCharInfo(std::span<const Cell> cells, std::size_t index) {
  const ConsoleCell cell = ToConsoleCell(cells, index);
  CHAR_INFO info{};
  info.Char.UnicodeChar = static_cast<WCHAR>(cell.character);
  info.Attributes = cell.attributes;
  return info;
}

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

InputEvent EndEvent() {
  InputEvent event;
  event.kind = InputEvent::Kind::kEnd;
  return event;
}

// What hosts the console, from the class of its window.
ConsoleHost HostOfConsole() {
  const HWND window = GetConsoleWindow();
  char name[256] = {};
  const int length = window == nullptr ? 0 : GetClassNameA(window, name, static_cast<int>(sizeof name));
  return ConsoleHostOf(std::string_view(name, static_cast<std::size_t>(std::max(length, 0))));
}

// Milliseconds left until `deadline` (a GetTickCount64 time); INFINITE for no deadline.
DWORD MillisecondsLeft(bool limited, ULONGLONG deadline) {
  if (!limited) return INFINITE;
  const ULONGLONG now = GetTickCount64();
  return now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
}

// The real console of this process, call for call. Bytes cross as their CP437 glyphs
// through the wide-character calls, so that control bytes show as pictures both on
// Windows and under wine, which would send raw control bytes to its terminal.
class Win32ConsoleDevice : public ConsoleDevice {
 public:
  explicit Win32ConsoleDevice(const CodePage& code_page);

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
  bool SetOutputMode(uint32_t mode) override;
  // A Windows console brings a paste as key records: there is nothing to switch.
  bool SetPasteAsText(bool) override { return false; }
  bool ReadInput(InputEvent& event, int timeout_ms) override;
  void Flush() override {}

 private:
  void HandToChild() override;
  void TakeBack() override;
  // How many cells of row at.y from column at.x lie in the buffer, at most `wanted`;
  // false when `at` lies outside the buffer.
  bool CellsInRow(Coord at, std::size_t wanted, std::size_t& count);
  bool ReadConsoleRecords(bool limited, ULONGLONG deadline);
  void QueueRecord(const INPUT_RECORD& record);
  bool ReadRedirectedBytes(bool limited, ULONGLONG deadline);
  void QueueBytes(const std::string& bytes);

  const CodePage& code_page_;
  HANDLE output_;
  HANDLE input_;
  bool input_is_console_;
  bool at_end_ = false;
  std::deque<InputEvent> pending_;
  std::unique_ptr<RedirectedInput> redirected_;
  PlainByteKeys plain_keys_;
  KeyRecordKeys key_records_;  // a high half waiting for its low half

  PrivateInputFlags private_flags_;  // quick edit and its kin, as last told
  WheelNotches wheel_;               // wheel turns not yet a whole notch
  bool sets_size_ = true;            // false under a pseudo console, sized by its terminal

  bool handed_to_child_ = false;
  bool saved_input_mode_valid_ = false;
  DWORD saved_input_mode_ = 0;
  bool saved_cursor_valid_ = false;
  CONSOLE_CURSOR_INFO saved_cursor_{};
};

// Opening the console:
// 1. output goes to standard output when it is a console, else to standard error;
// 2. input comes from standard input, as a console or as a stream of bytes;
// 3. a console input's private flags are noted as the console reports them at start
//    (Windows does, with quick edit; wine does not);
// 4. under a pseudo console the size is left to its terminal;
// 5. a console input is peeked at once, since wine puts its terminal into raw mode only
//    at the first console read, and an interrupt arriving as a signal becomes Ctrl+C.
Win32ConsoleDevice::Win32ConsoleDevice(const CodePage& code_page)
    : code_page_(code_page), output_(GetStdHandle(STD_OUTPUT_HANDLE)), input_(GetStdHandle(STD_INPUT_HANDLE)) {
  if (!IsConsole(output_)) output_ = GetStdHandle(STD_ERROR_HANDLE);
  sets_size_ = ProgramSetsSize(HostOfConsole());
  input_is_console_ = IsConsole(input_);
  if (input_is_console_) {
    DWORD mode = 0;
    if (GetConsoleMode(input_, &mode)) private_flags_ = NotePrivateFlags(private_flags_, mode);
    INPUT_RECORD record;
    DWORD peeked = 0;
    PeekConsoleInputW(input_, &record, 1, &peeked);
    SetInterruptInput(input_);
    SetConsoleCtrlHandler(InterruptAsKey, TRUE);
  } else if (input_ == nullptr || input_ == INVALID_HANDLE_VALUE) {
    at_end_ = true;
  } else {
    redirected_ = std::make_unique<RedirectedInput>(input_);
  }
}

// The largest window is what the display allows, held to the buffer, as the console
// reports it for the buffer itself.
bool Win32ConsoleDevice::GetBufferInfo(BufferInfo& info) {
  CONSOLE_SCREEN_BUFFER_INFO csbi;
  if (!GetConsoleScreenBufferInfo(output_, &csbi)) return false;
  info.size = FromCoord(csbi.dwSize);
  info.cursor = FromCoord(csbi.dwCursorPosition);
  info.attribute = csbi.wAttributes;
  info.window = FromRect(csbi.srWindow);
  COORD largest = GetLargestConsoleWindowSize(output_);
  if (largest.X <= 0 || largest.Y <= 0) largest = csbi.dwMaximumWindowSize;
  info.largest_window = {std::min(largest.X, csbi.dwSize.X), std::min(largest.Y, csbi.dwSize.Y)};
  return true;
}

bool Win32ConsoleDevice::CellsInRow(Coord at, std::size_t wanted, std::size_t& count) {
  CONSOLE_SCREEN_BUFFER_INFO csbi;
  if (!GetConsoleScreenBufferInfo(output_, &csbi)) return false;
  if (at.x < 0 || at.y < 0 || at.x >= csbi.dwSize.X || at.y >= csbi.dwSize.Y) return false;
  count = std::min(wanted, static_cast<std::size_t>(csbi.dwSize.X - at.x));
  return true;
}

bool Win32ConsoleDevice::WriteCells(Coord at, std::span<const Cell> cells) {
  std::size_t count = 0;
  if (!CellsInRow(at, cells.size(), count)) return false;
  std::vector<CHAR_INFO> buffer;
  for (std::size_t done = 0; done < count;) {
    const std::size_t n = std::min(count - done, kCellsPerCall);
    buffer.clear();
    for (std::size_t i = 0; i < n; ++i) buffer.push_back(ToCharInfo(cells.first(count), done + i));
    SMALL_RECT region = ToRect(InclusiveRect::FromSize({ClampToInt16(at.x + done), at.y}, n, 1));
    if (!WriteConsoleOutputW(output_, buffer.data(), COORD{static_cast<SHORT>(n), 1}, COORD{0, 0}, &region))
      return false;
    done += n;
  }
  return true;
}

bool Win32ConsoleDevice::ReadCells(Coord at, std::span<Cell> cells) {
  std::size_t count = 0;
  if (!CellsInRow(at, cells.size(), count)) return false;
  std::vector<CHAR_INFO> buffer;
  for (std::size_t done = 0; done < count;) {
    const std::size_t n = std::min(count - done, kCellsPerCall);
    buffer.assign(n, CHAR_INFO{});
    SMALL_RECT region = ToRect(InclusiveRect::FromSize({ClampToInt16(at.x + done), at.y}, n, 1));
    if (!ReadConsoleOutputW(output_, buffer.data(), COORD{static_cast<SHORT>(n), 1}, COORD{0, 0}, &region))
      return false;
    for (std::size_t i = 0; i < n; ++i)
      cells[done + i] =
          FromConsoleCell(ConsoleCell{static_cast<char16_t>(buffer[i].Char.UnicodeChar), buffer[i].Attributes});
    done += n;
  }
  return true;
}

// Filling runs on across rows and stops at the end of the buffer. It goes to the console
// in rectangular runs (the rest of the first row, the whole rows, the start of the last
// row), because wine repaints on its terminal only the columns between the first and the
// last cell of a fill, while it fills the buffer right.
bool Win32ConsoleDevice::FillCells(Coord at, uint32_t count, Cell fill) {
  CONSOLE_SCREEN_BUFFER_INFO csbi;
  if (!GetConsoleScreenBufferInfo(output_, &csbi)) return false;
  const Coord size = FromCoord(csbi.dwSize);
  if (at.x < 0 || at.y < 0 || at.x >= size.x || at.y >= size.y) return false;
  const auto glyph = static_cast<WCHAR>(ToConsoleCell(std::span<const Cell>(&fill, 1), 0).character);
  bool filled = true;
  for (const FillRun& run : SplitFill(at, count, size)) {
    DWORD written = 0;
    filled = FillConsoleOutputCharacterW(output_, glyph, run.count, ToCoord(run.from), &written) && filled;
    filled = FillConsoleOutputAttribute(output_, fill.attribute, run.count, ToCoord(run.from), &written) && filled;
  }
  return filled;
}

bool Win32ConsoleDevice::ScrollRegion(InclusiveRect source, Coord destination, Cell fill) {
  const SMALL_RECT rect = ToRect(source);
  const CHAR_INFO fill_info = ToCharInfo(std::span<const Cell>(&fill, 1), 0);
  return ScrollConsoleScreenBufferW(output_, &rect, nullptr, ToCoord(destination), &fill_info) != 0;
}

bool Win32ConsoleDevice::SetCursorPosition(Coord position) {
  return SetConsoleCursorPosition(output_, ToCoord(position)) != 0;
}

bool Win32ConsoleDevice::GetCursorInfo(CursorInfo& info) {
  CONSOLE_CURSOR_INFO cci;
  if (!GetConsoleCursorInfo(output_, &cci)) return false;
  info.size = cci.dwSize;
  info.visible = cci.bVisible != FALSE;
  return true;
}

bool Win32ConsoleDevice::SetCursorInfo(const CursorInfo& info) {
  const CONSOLE_CURSOR_INFO cci{info.size, info.visible ? TRUE : FALSE};
  return SetConsoleCursorInfo(output_, &cci) != 0;
}

bool Win32ConsoleDevice::SetTextAttribute(uint16_t attribute) {
  return SetConsoleTextAttribute(output_, attribute) != 0;
}

// Under a pseudo console the buffer is the terminal's view, and the terminal would not follow
// a size set here: both calls leave the size to the terminal and report success.
bool Win32ConsoleDevice::SetBufferSize(Coord size) {
  if (!sets_size_) return true;
  return SetConsoleScreenBufferSize(output_, ToCoord(size)) != 0;
}

bool Win32ConsoleDevice::SetWindowRect(InclusiveRect window) {
  if (!sets_size_) return true;
  const SMALL_RECT rect = ToRect(window);
  return SetConsoleWindowInfo(output_, TRUE, &rect) != 0;
}

bool Win32ConsoleDevice::SetTitle(const std::string& title) {
  return SetConsoleTitleW(WideText(title, code_page_).c_str()) != 0;
}

// A title of no characters and a failure both read as 0; the error code tells them apart.
// A character of the title that the code page cannot spell (a half alone among them)
// reads as '?'.
bool Win32ConsoleDevice::GetTitle(std::string& title) {
  std::vector<wchar_t> buffer(kTitleBuffer, L'\0');
  SetLastError(ERROR_SUCCESS);
  const DWORD length = GetConsoleTitleW(buffer.data(), kTitleBuffer);
  if (length == 0 && GetLastError() != ERROR_SUCCESS) return false;
  const DWORD count = std::min<DWORD>(length, kTitleBuffer - 1);
  title = NarrowText(std::wstring_view(buffer.data(), count), code_page_);
  return true;
}

// The mode as read, with quick edit and its kin as last told when the console does not
// report them (after a plain mode was set), so that a mode read and set again gives them
// back as they were.
bool Win32ConsoleDevice::GetInputMode(uint32_t& mode) {
  DWORD value = 0;
  if (!GetConsoleMode(input_, &value)) return false;
  mode = WithPrivateFlags(value, private_flags_);
  return true;
}

bool Win32ConsoleDevice::SetInputMode(uint32_t mode) {
  if (!SetConsoleMode(input_, mode)) return false;
  private_flags_ = NotePrivateFlags(private_flags_, mode);
  return true;
}

bool Win32ConsoleDevice::SetOutputMode(uint32_t mode) { return SetConsoleMode(output_, mode) != 0; }

// Reading one event:
// 1. events already queued (key repeats, several records of one read) come first;
// 2. at the end of the input every call gives kEnd;
// 3. otherwise wait for the console or the byte stream until the time is up, queueing
//    what arrives, and give the first event queued; false when none came in time.
bool Win32ConsoleDevice::ReadInput(InputEvent& event, int timeout_ms) {
  const bool limited = timeout_ms >= 0;
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(limited ? timeout_ms : 0);
  while (pending_.empty() && !at_end_) {
    const bool more =
        input_is_console_ ? ReadConsoleRecords(limited, deadline) : ReadRedirectedBytes(limited, deadline);
    if (!more) break;
  }
  if (!pending_.empty()) {
    event = pending_.front();
    pending_.pop_front();
    return true;
  }
  if (at_end_) {
    event = EndEvent();
    return true;
  }
  return false;
}

// Waits for console records and queues the events among them. False when the time ran
// out; a console that can no longer be read ends the input.
bool Win32ConsoleDevice::ReadConsoleRecords(bool limited, ULONGLONG deadline) {
  const DWORD wait = WaitForSingleObject(input_, MillisecondsLeft(limited, deadline));
  if (wait == WAIT_TIMEOUT) return false;
  if (wait != WAIT_OBJECT_0) {
    at_end_ = true;
    return true;
  }
  DWORD available = 0;
  if (!GetNumberOfConsoleInputEvents(input_, &available)) {
    at_end_ = true;
    return true;
  }
  if (available == 0) {
    Sleep(std::min<DWORD>(kEmptyInputPauseMs, MillisecondsLeft(limited, deadline)));
    return !limited || MillisecondsLeft(limited, deadline) > 0;
  }
  INPUT_RECORD records[kRecordsPerRead];
  DWORD read = 0;
  if (!ReadConsoleInputW(input_, records, kRecordsPerRead, &read)) {
    at_end_ = true;
    return true;
  }
  for (DWORD i = 0; i < read; ++i) QueueRecord(records[i]);
  return true;
}

// Key presses (each repeat a press of its own), the release of Alt that brings a character,
// mouse events and buffer size changes are queued, the two halves of a character beyond 16
// bits as one key; other key releases, focus and menu records are not. Wheel turns are added up and give one event
// per whole notch.
void Win32ConsoleDevice::QueueRecord(const INPUT_RECORD& record) {
  InputEvent event;
  switch (record.EventType) {
    case KEY_EVENT: {
      const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
      if (!key_records_.Next(key.wVirtualKeyCode, key.bKeyDown != FALSE,
                             static_cast<char16_t>(key.uChar.UnicodeChar), key.dwControlKeyState, event.key))
        return;
      event.kind = InputEvent::Kind::kKey;
      const int repeats = std::max<int>(key.wRepeatCount, 1);
      for (int i = 0; i < repeats; ++i) pending_.push_back(event);
      return;
    }
    case MOUSE_EVENT: {
      const MOUSE_EVENT_RECORD& mouse = record.Event.MouseEvent;
      if (!MouseFromRecord(FromCoord(mouse.dwMousePosition), mouse.dwButtonState, mouse.dwControlKeyState,
                           mouse.dwEventFlags, event.mouse))
        return;
      event.kind = InputEvent::Kind::kMouse;
      if ((event.mouse.flags & mouse::kWheeled) == 0) {
        pending_.push_back(event);
        return;
      }
      const int notches = wheel_.Add(WheelDelta(mouse.dwButtonState));
      event.mouse.wheel = static_cast<int16_t>(notches > 0 ? 1 : -1);
      for (int i = 0; i < std::abs(notches); ++i) pending_.push_back(event);
      return;
    }
    case WINDOW_BUFFER_SIZE_EVENT:
      event.kind = InputEvent::Kind::kResize;
      event.size = FromCoord(record.Event.WindowBufferSizeEvent.dwSize);
      pending_.push_back(event);
      return;
    default:
      return;
  }
}

// Waits for bytes of a redirected input and queues the keys they give. False when the time
// ran out; the end of the input ends it here too.
bool Win32ConsoleDevice::ReadRedirectedBytes(bool limited, ULONGLONG deadline) {
  std::string bytes;
  const DWORD left = MillisecondsLeft(limited, deadline);
  switch (redirected_->Take(bytes, limited ? static_cast<int>(std::min<DWORD>(left, INT32_MAX)) : -1)) {
    case RedirectedInput::Result::kTimeout:
      return false;
    case RedirectedInput::Result::kEnd:
      at_end_ = true;
      return true;
    case RedirectedInput::Result::kBytes:
      QueueBytes(bytes);
      return true;
  }
  return true;
}

void Win32ConsoleDevice::QueueBytes(const std::string& bytes) {
  for (char byte : bytes) {
    InputEvent event;
    event.kind = InputEvent::Kind::kKey;
    if (plain_keys_.Next(static_cast<uint8_t>(byte), code_page_, event.key)) pending_.push_back(event);
  }
}

// A child process gets the console with the cursor shown (in its shape) and the input
// in processed, line and echo mode; what was in force is kept for TakeBack. The control
// handler for the run goes in before processed input comes on and out after it is off.
void Win32ConsoleDevice::HandToChild() {
  if (handed_to_child_) return;
  handed_to_child_ = true;
  SetConsoleCtrlHandler(InterruptDuringRun, TRUE);
  saved_input_mode_valid_ = GetConsoleMode(input_, &saved_input_mode_) != 0;
  saved_cursor_valid_ = GetConsoleCursorInfo(output_, &saved_cursor_) != 0;
  if (saved_cursor_valid_ && !saved_cursor_.bVisible) {
    const CONSOLE_CURSOR_INFO shown{saved_cursor_.dwSize, TRUE};
    SetConsoleCursorInfo(output_, &shown);
  }
  if (saved_input_mode_valid_) SetConsoleMode(input_, input_mode::kChild);
}

void Win32ConsoleDevice::TakeBack() {
  if (!handed_to_child_) return;
  handed_to_child_ = false;
  if (saved_input_mode_valid_) SetConsoleMode(input_, saved_input_mode_);
  if (saved_cursor_valid_) SetConsoleCursorInfo(output_, &saved_cursor_);
  SetConsoleCtrlHandler(InterruptDuringRun, FALSE);
}

}  // namespace

// The Windows console times its waits for input itself.
std::unique_ptr<ConsoleDevice> OpenConsoleDevice(const CodePage& code_page, MonotonicClock& /*clock*/) {
  return std::make_unique<Win32ConsoleDevice>(code_page);
}

}  // namespace zul
