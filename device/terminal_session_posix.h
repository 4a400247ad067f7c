// The terminal this process draws on and reads keys from, as one session: raw
// input while the chooser owns it, the terminal's own settings while a child
// runs and after the end. It records the settings it found and puts them back
// exactly once at the end, whichever way the process ends (return, exit,
// terminate, a signal that ends it). Signal handlers write only bytes made
// ahead of them. It draws nothing itself; the caller gives it the bytes to write.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "device/cell.h"

namespace zul {

class TerminalSession {
 public:
  // Takes over the terminal: standard input when it is a terminal, output to
  // standard output or, failing that, standard error when either is a terminal.
  TerminalSession();
  // Puts the terminal back (see Restore).
  ~TerminalSession();
  TerminalSession(const TerminalSession&) = delete;
  TerminalSession& operator=(const TerminalSession&) = delete;

  // Whether there is a terminal to draw on. Without one, drawing stays in memory.
  bool Presenting() const { return output_fd_ >= 0; }
  // The terminal's size in columns and rows, each held to kLargestReportedSide
  // (a larger terminal shows the console at its top left); 80 by 25 when it
  // cannot be read.
  static constexpr int16_t kLargestReportedSide = 9999;
  Coord Size() const;

  // Raw input: no echo, no line editing, no translation; the interrupt and
  // suspend keys make signals only when `signal_keys` is set.
  void EnterRaw(bool signal_keys);
  // The settings the terminal had when the session began, for a child.
  void LeaveRaw();

  // Writes all of `bytes` to the terminal (nothing when not presenting).
  void Write(std::string_view bytes);

  // Waits up to `timeout_ms` (negative: no limit) for input or a wake-up. Then
  // reads what input there is into `buffer`; returns the byte count, 0 when
  // nothing came in time or a wake-up came, -1 at the end of the input.
  // `resized` and `continued` report a window-size change and a resumption
  // after a stop.
  int Read(char* buffer, int size, int timeout_ms, bool& resized, bool& continued);

  // The bytes written when the run is cut short (a signal that ends it, exit
  // without the end, a crash) or stopped: they must leave mouse tracking off,
  // autowrap on, the terminal's own colours and the cursor shown, and may place
  // the cursor. Kept in a buffer of its own, so that a signal handler may write
  // them whenever it comes; empty, or longer than kMaxCutShortBytes: just those
  // modes (vt::kRestoreModes), which is also what a session starts with.
  static constexpr std::size_t kMaxCutShortBytes = 96;
  void SetCutShortBytes(std::string_view bytes);

  // The end: writes `last_bytes` (which must leave mouse tracking off, autowrap
  // on, the terminal's own colours and the cursor shown; empty: just those) and
  // gives the terminal its own settings back. Only the first call does
  // anything; later calls, the exit handler and the signal handlers find it
  // done.
  void Restore(std::string_view last_bytes);

 private:
  bool input_is_terminal_ = false;  // else standard input is read as it is
  int output_fd_ = -1;              // a terminal to draw on, or -1
};

}  // namespace zul
