#include "terminal/terminal_owner.h"

#include <algorithm>

#include "device/input_events.h"
#include "terminal/terminal_sequences.h"

namespace zul {

bool PreparedBytes::Set(std::string_view bytes) {
  if (bytes.size() > kCapacity) return false;
  if (bytes == Get()) return true;
  const int next = 1 - current_.load();
  Buffer& spare = buffers_[static_cast<std::size_t>(next)];
  std::copy(bytes.begin(), bytes.end(), spare.bytes.begin());
  spare.size = bytes.size();
  current_.store(next);
  return true;
}

std::string_view PreparedBytes::Get() const {
  const Buffer& current = buffers_[static_cast<std::size_t>(current_.load())];
  return {current.bytes.data(), current.size};
}

TerminalOwner::TerminalOwner(bool presenting, bool reports_read)
    : presenting_(presenting), presenter_(reports_read) {
  cut_short_.Set(vt::kRestoreModes);
}

void TerminalOwner::AppendFrame(const VirtualConsole& console, Coord terminal, std::string& out) {
  if (!stale_ || !presenting_ || holder_ == Holder::kChild) return;
  presenter_.Present(console, terminal, out);
  stale_ = false;
  holder_ = Holder::kConsoleShown;
  PrepareCutShort(console, terminal);
}

// Made before the bytes they follow are written, so that a signal that comes
// during the write already finds them.
void TerminalOwner::PrepareCutShort(const VirtualConsole& console, Coord terminal) {
  std::string bytes;
  if (holder_ == Holder::kConsoleShown) {
    TerminalPresenter::AppendCutShort(console, terminal, bytes);
  } else {
    bytes = vt::kRestoreModes;
  }
  if (!cut_short_.Set(bytes)) cut_short_.Set(vt::kRestoreModes);
}

void TerminalOwner::Show(const VirtualConsole& console, Coord terminal, TerminalLink& link) {
  std::string frame;
  AppendFrame(console, terminal, frame);
  if (!frame.empty()) link.Write(frame);
}

void TerminalOwner::FollowInputMode(const VirtualConsole& console, TerminalLink& link) {
  if (holder_ == Holder::kChild) return;
  const bool signal_keys = (console.InputMode() & input_mode::kProcessed) != 0;
  link.SetInput(signal_keys ? TerminalInput::kRawWithSignalKeys : TerminalInput::kRaw);
}

void TerminalOwner::Resized() {
  presenter_.Invalidate();
  stale_ = true;
}

void TerminalOwner::Continued(const VirtualConsole& console, TerminalLink& link) {
  FollowInputMode(console, link);
  presenter_.Invalidate();
  stale_ = stale_ || holder_ == Holder::kConsoleShown;
}

// A child after a child finds the terminal as the first one left it: its output
// goes on below the first one's, as in a console window.
void TerminalOwner::HandToChild(const VirtualConsole& console, Coord terminal, TerminalLink& link) {
  std::string bytes;
  AppendFrame(console, terminal, bytes);
  const bool was_shown = holder_ == Holder::kConsoleShown;
  holder_ = Holder::kChild;
  PrepareCutShort(console, terminal);
  if (was_shown && presenting_) presenter_.Release(console, terminal, console.Attribute(), bytes);
  if (!bytes.empty()) link.Write(bytes);
  link.SetInput(TerminalInput::kOwnSettings);
}

void TerminalOwner::TakeBack(const VirtualConsole& console, TerminalLink& link) {
  holder_ = Holder::kConsoleNotShown;
  cut_short_.Set(vt::kRestoreModes);
  FollowInputMode(console, link);
  presenter_.Invalidate();
  stale_ = false;
}

std::string TerminalOwner::End(const VirtualConsole& console, Coord terminal) {
  std::string last;
  if (!presenting_) return last;
  AppendFrame(console, terminal, last);
  if (holder_ == Holder::kConsoleShown) {
    presenter_.End(console, terminal, last);
  } else {
    last = vt::kRestoreModes;
  }
  return last;
}

}  // namespace zul
