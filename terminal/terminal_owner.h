// Who has the terminal a virtual console is shown on, and everything that follows
// from it, in one place: whether the console or a child process has it, what the
// terminal is known to show and the modes sent to it (the presenter's record),
// whether the console changed since it was last shown, how the terminal is to read
// input, and the bytes that give the terminal back should the run be cut short
// now. Handing the terminal to a child and taking it back are one call each.
// Pure: it acts through the TerminalLink it is given (the terminal session, or a
// recording in tests), and keeps the cut-short bytes where a signal handler may
// read them.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <string>
#include <string_view>

#include "device/cell.h"
#include "device/virtual_console.h"
#include "terminal/terminal_presenter.h"

namespace zul {

// How the terminal reads input.
enum class TerminalInput {
  kRaw,                // no echo, no line editing, no signal keys: every key is a byte
  kRawWithSignalKeys,  // raw, but the interrupt and suspend keys make signals
  kOwnSettings,        // the settings the terminal had when the run began
};

// Where the owner's decisions go.
class TerminalLink {
 public:
  // Writes all of `bytes` to the terminal.
  virtual void Write(std::string_view bytes) = 0;
  virtual void SetInput(TerminalInput input) = 0;

 protected:
  ~TerminalLink() = default;
};

// Bytes made ahead for a signal handler, which may read them at any moment: Get is
// async-signal-safe. Two buffers take turns: new bytes go into the one not in use,
// which one atomic store then makes current, so that a handler that interrupts the
// copy still finds whole bytes in the other.
class PreparedBytes {
 public:
  static constexpr std::size_t kCapacity = 96;
  // Keeps `bytes`; false, keeping the bytes it had, when they exceed kCapacity.
  bool Set(std::string_view bytes);
  std::string_view Get() const;

 private:
  struct Buffer {
    std::array<char, kCapacity> bytes{};
    std::size_t size = 0;
  };
  std::array<Buffer, 2> buffers_;
  std::atomic<int> current_{0};
  static_assert(std::atomic<int>::is_always_lock_free, "a signal handler reads the current index");
};

class TerminalOwner {
 public:
  // Who has the terminal. While it is the console's, the terminal shows either the
  // console's window or, until the console is next shown, what was there before
  // (the shell's lines, or the output of the child that ran last).
  enum class Holder {
    kConsoleNotShown,  // at the start, and after a child ran
    kConsoleShown,     // from the first frame shown until a child is handed the terminal
    kChild,            // between HandToChild and TakeBack: its own input settings, nothing drawn
  };

  // `presenting`: whether there is a terminal to draw on; without one nothing is
  // ever written. `reports_read`: whether the keys come from that terminal, so
  // that its reports (mouse, pastes) may be turned on. The cut-short bytes start
  // as vt::kRestoreModes.
  explicit TerminalOwner(bool presenting, bool reports_read = true);
  TerminalOwner(const TerminalOwner&) = delete;
  TerminalOwner& operator=(const TerminalOwner&) = delete;

  // The console changed in a way the terminal may have to show.
  void ConsoleChanged() { stale_ = true; }

  // Brings the terminal of `terminal` columns and rows up to date with the console,
  // in one write, when the console has the terminal and changed since it was last
  // shown; prepares the cut-short bytes for what it then shows.
  void Show(const VirtualConsole& console, Coord terminal, TerminalLink& link);
  // The terminal reads input raw, its interrupt and suspend keys making signals only
  // while the console's input mode has processed input on (as Ctrl+C ends a Windows
  // program only then); while a child has the terminal, nothing changes.
  void FollowInputMode(const VirtualConsole& console, TerminalLink& link);
  // The terminal was resized: everything is drawn again at the next Show.
  void Resized();
  // Back from a stop, the terminal has its own settings and may show anything: the
  // input follows the console's mode again, and a console that was shown is drawn
  // again in full at the next Show.
  void Continued(const VirtualConsole& console, TerminalLink& link);

  // Hands the terminal to a child: what the console drew last is shown, then,
  // where the console was shown, mouse tracking goes off, autowrap on, the
  // console's colour is set and the cursor shown at the console's cursor (all in
  // one write); the terminal gets its own input settings, and a run cut short now
  // only restores the modes, the cursor staying where the child left it.
  void HandToChild(const VirtualConsole& console, Coord terminal, TerminalLink& link);
  // Takes the terminal back from the child: raw input again. Nothing is known of
  // what the terminal shows, but it is drawn again only when the console draws,
  // so the child's output stays.
  void TakeBack(const VirtualConsole& console, TerminalLink& link);

  // The bytes that end the run: what the console drew last is shown, then the
  // terminal is handed to the shell in its own colours with the cursor at the
  // console's cursor; only vt::kRestoreModes when the console is not shown. Empty
  // without a terminal.
  std::string End(const VirtualConsole& console, Coord terminal);

  // What a signal handler writes when the run is cut short now (a signal that ends
  // it, exit without the end, a crash) or stopped: mouse tracking off, autowrap on,
  // the terminal's own colours, the cursor shown, and, while the console is shown,
  // the cursor at the start of the line below its window.
  const PreparedBytes& CutShortBytes() const { return cut_short_; }

 private:
  // Appends the frame that brings the terminal up to date, when there is one to show.
  void AppendFrame(const VirtualConsole& console, Coord terminal, std::string& out);
  void PrepareCutShort(const VirtualConsole& console, Coord terminal);

  const bool presenting_;
  Holder holder_ = Holder::kConsoleNotShown;
  bool stale_ = true;  // changed since the terminal was last brought up to date
  TerminalPresenter presenter_;
  PreparedBytes cut_short_;
};

}  // namespace zul
