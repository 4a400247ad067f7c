// The console on a POSIX terminal: a virtual console holds the cells, the
// terminal's owner shows its window and decides who has the terminal, the
// session reads and writes it, the input decoder turns the terminal's bytes into
// console input events. Without a terminal the drawing stays in memory and
// standard input is read as it is.
#include <algorithm>

#include "device/open_console_device.h"
#include "device/virtual_console.h"
#include "terminal/input_decoder.h"
#include "terminal/terminal_owner.h"
#include "terminal/terminal_session_posix.h"

namespace zul {

namespace {

class TerminalConsole : public ConsoleDevice {
 public:
  TerminalConsole(const CodePage& code_page, MonotonicClock& clock)
      : clock_(clock),
        terminal_(session_.Size()),
        console_(terminal_, terminal_, code_page),
        owner_(session_.Presenting(), session_.ReadsReports()) {
    session_.WriteWhenCutShort(&owner_.CutShortBytes());
    owner_.FollowInputMode(console_, session_);
  }

  // The end of a run: what was drawn last is shown, and the terminal is handed
  // back with the cursor at the console's cursor, in its own colours.
  ~TerminalConsole() override { session_.Restore(owner_.End(console_, terminal_)); }

  bool GetBufferInfo(BufferInfo& info) override { return console_.GetBufferInfo(info); }
  bool WriteCells(Coord at, std::span<const Cell> cells) override {
    return MarkStaleIf(console_.WriteCells(at, cells));
  }
  bool ReadCells(Coord at, std::span<Cell> cells) override { return console_.ReadCells(at, cells); }
  bool FillCells(Coord at, uint32_t count, Cell fill) override {
    return MarkStaleIf(console_.FillCells(at, count, fill));
  }
  bool ScrollRegion(InclusiveRect source, Coord destination, Cell fill) override {
    return MarkStaleIf(console_.ScrollRegion(source, destination, fill));
  }
  bool SetCursorPosition(Coord position) override { return MarkStaleIf(console_.SetCursorPosition(position)); }
  bool GetCursorInfo(CursorInfo& info) override { return console_.GetCursorInfo(info); }
  bool SetCursorInfo(const CursorInfo& info) override { return MarkStaleIf(console_.SetCursorInfo(info)); }
  bool SetTextAttribute(uint16_t attribute) override { return console_.SetTextAttribute(attribute); }
  bool SetBufferSize(Coord size) override { return MarkStaleIf(console_.SetBufferSize(size)); }
  bool SetWindowRect(InclusiveRect window) override { return MarkStaleIf(console_.SetWindowRect(window)); }
  bool SetTitle(const std::string& title) override { return MarkStaleIf(console_.SetTitle(title)); }
  bool GetTitle(std::string& title) override { return console_.GetTitle(title); }
  bool GetInputMode(uint32_t& mode) override { return console_.GetInputMode(mode); }
  bool SetInputMode(uint32_t mode) override {
    console_.SetInputMode(mode);
    owner_.FollowInputMode(console_, session_);
    owner_.ConsoleChanged();  // mouse tracking may change
    return true;
  }
  bool SetOutputMode(uint32_t mode) override { return console_.SetOutputMode(mode); }
  bool SetPasteAsText(bool on) override { return MarkStaleIf(console_.SetPasteAsText(on)); }

  bool ReadInput(InputEvent& event, int timeout_ms) override;
  void Flush() override;

 private:
  void HandToChild() override { owner_.HandToChild(console_, terminal_, session_); }
  void TakeBack() override;
  // The result of a console call that may change what the terminal is to show:
  // when it succeeded, the terminal is brought up to date at the next Flush.
  bool MarkStaleIf(bool done) {
    if (done) owner_.ConsoleChanged();
    return done;
  }
  // The terminal has a new size: the window follows it, within the buffer, as a
  // console window does when its frame is dragged; everything is drawn again.
  void Resize(Coord size);
  // A decoded event as the console reports it: mouse positions in the buffer,
  // mouse events only while the console reports them. False: drop it.
  bool Translate(InputEvent& event) const;

  MonotonicClock& clock_;
  TerminalSession session_;
  Coord terminal_;
  VirtualConsole console_;
  // After the session, which the destructor restores before the owner goes.
  TerminalOwner owner_;
  InputDecoder decoder_;
  int64_t waited_ms_ = 0;     // the decoder's time: the clock's time spent waiting for input
  bool input_ended_ = false;  // the terminal (or standard input) has no more input
};

void TerminalConsole::Flush() { owner_.Show(console_, terminal_, session_); }

void TerminalConsole::Resize(Coord size) {
  terminal_ = size;
  console_.SetLargestWindow(size);
  const InclusiveRect window = console_.Window();
  BufferInfo info;
  console_.GetBufferInfo(info);
  const int width = std::min<int>(info.size.x, size.x);
  const int height = std::min<int>(info.size.y, size.y);
  const int left = std::min<int>(window.left, info.size.x - width);
  const int top = std::min<int>(window.top, info.size.y - height);
  console_.SetWindowRect(InclusiveRect::FromSize({ClampToInt16(left), ClampToInt16(top)}, width, height));
  owner_.Resized();
}

bool TerminalConsole::Translate(InputEvent& event) const {
  if (event.kind != InputEvent::Kind::kMouse) return true;
  if (!console_.MouseReporting()) return false;
  const InclusiveRect window = console_.Window();
  const int x = event.mouse.position.x + window.left;
  const int y = event.mouse.position.y + window.top;
  if (x > window.right || y > window.bottom) return false;  // beyond the window's edge
  event.mouse.position = {static_cast<int16_t>(x), static_cast<int16_t>(y)};
  return true;
}

// Waiting for an event:
// 1. give a decoded event when one is queued: events already read are answered
//    without drawing in between, so input that comes faster than frames can be
//    drawn is drawn once per read, not once per key;
// 2. show what has been drawn;
// 3. after the end of the input, give kEnd every time;
// 4. otherwise wait for bytes, a resize or a decoder timeout, whichever is first,
//    until `timeout_ms` has passed on the clock. The decoder's time runs only
//    while waiting here: bytes that arrived while the chooser was busy answering
//    earlier ones continue the sequence they belong to, however long answering
//    took.
bool TerminalConsole::ReadInput(InputEvent& event, int timeout_ms) {
  const int64_t deadline = timeout_ms < 0 ? -1 : clock_.NowMs() + timeout_ms;
  for (;;) {
    while (decoder_.Next(event))
      if (Translate(event)) return true;
    Flush();
    if (input_ended_) {
      event = InputEvent{};
      event.kind = InputEvent::Kind::kEnd;
      return true;
    }
    const int64_t now = clock_.NowMs();
    if (deadline >= 0 && now >= deadline) return false;
    int wait = deadline < 0 ? -1 : static_cast<int>(deadline - now);
    const int decoder_wait = decoder_.MillisecondsUntilTimeout(waited_ms_);
    if (decoder_wait >= 0 && (wait < 0 || decoder_wait < wait)) wait = decoder_wait;

    char bytes[4096];
    bool resized = false;
    bool continued = false;
    const int n = session_.Read(bytes, sizeof bytes, clock_.BlockingLimitMs(wait), resized, continued);
    if (n == 0 && !resized && !continued) clock_.WaitRanOut(wait);
    waited_ms_ += std::max<int64_t>(clock_.NowMs() - now, 0);
    if (continued) owner_.Continued(console_, session_);
    if (n > 0) {
      decoder_.Feed(std::string_view(bytes, static_cast<std::size_t>(n)), waited_ms_);
    } else if (n < 0) {
      decoder_.Finish();
      input_ended_ = true;
    } else {
      decoder_.Tick(waited_ms_);
    }
    if (resized) {
      const Coord size = session_.Size();
      if (!(size == terminal_)) {
        Resize(size);
        event = InputEvent{};
        event.kind = InputEvent::Kind::kResize;
        event.size = size;
        return true;
      }
    }
  }
}

// A terminal resized while the child ran: the window follows it, but, as after any
// child, it is drawn again only when the chooser draws.
void TerminalConsole::TakeBack() {
  const Coord size = session_.Size();
  if (!(size == terminal_)) Resize(size);
  owner_.TakeBack(console_, session_);
}

}  // namespace

std::unique_ptr<ConsoleDevice> OpenConsoleDevice(const CodePage& code_page, MonotonicClock& clock) {
  return std::make_unique<TerminalConsole>(code_page, clock);
}

}  // namespace zul
