// The terminal this process draws on and reads keys from, as one session: it
// reads and writes the terminal and sets its input as the terminal's owner
// (TerminalOwner) decides. It records the settings it found and puts them back
// exactly once at the end, whichever way the process ends (return, exit,
// terminate, a signal that ends it). Signal handlers write only the bytes the
// owner made ahead of them. It draws nothing itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "device/cell.h"
#include "terminal/terminal_owner.h"

namespace zul {

class TerminalSession final : public TerminalLink {
 public:
  // Takes over the terminal: standard input when it is a terminal, output to
  // standard output or, failing that, standard error when either is a terminal.
  // A terminal to draw on that cannot show the dialogs (TerminalRefusal) is not
  // taken: the refusal goes to standard error, nothing is drawn, and a terminal
  // on standard input gives no keys (as at the end of the input).
  TerminalSession();
  // Puts the terminal back, as a run cut short does, when Restore has not.
  ~TerminalSession();
  TerminalSession(const TerminalSession&) = delete;
  TerminalSession& operator=(const TerminalSession&) = delete;

  // Whether there is a terminal to draw on. Without one, drawing stays in memory.
  bool Presenting() const { return output_fd_ >= 0; }
  // Whether the keys come from the terminal drawn on, so that what it reports
  // (mouse, pastes) is read.
  bool ReadsReports() const { return reads_reports_; }

  // The one line that says a terminal of type `term` (the TERM variable, null
  // when unset) cannot show the dialogs, and what to use instead; empty when it
  // can. A terminal without a type, or of type "dumb", shows escape sequences as
  // text.
  static std::string TerminalRefusal(const char* term);
  // The terminal's size in columns and rows, each held to kLargestReportedSide
  // (a larger terminal shows the console at its top left); 80 by 25 when it
  // cannot be read.
  static constexpr int16_t kLargestReportedSide = 9999;
  Coord Size() const;

  // Raw input is also without translation of the bytes read. Nothing changes
  // without a terminal to read from, or once the terminal is restored.
  void SetInput(TerminalInput input) override;

  // Writes all of `bytes` to the terminal (nothing when not presenting).
  void Write(std::string_view bytes) override;

  // Waits up to `timeout_ms` (negative: no limit) for input or a wake-up. Then
  // reads what input there is into `buffer`; returns the byte count, 0 when
  // nothing came in time or a wake-up came, -1 at the end of the input.
  // `resized` and `continued` report a window-size change and a resumption
  // after a stop.
  int Read(char* buffer, int size, int timeout_ms, bool& resized, bool& continued);

  // The bytes written when the run is cut short (a signal that ends it, exit
  // without the end, a crash) or stopped, as the owner keeps them ready; none
  // until this is called. `bytes` must outlive the session's end (Restore).
  void WriteWhenCutShort(const PreparedBytes* bytes);

  // The end: writes `last_bytes` (which must leave mouse tracking off, autowrap
  // on, the terminal's own colours and the cursor shown) and gives the terminal
  // its own settings back. Only the first call does anything; later calls, the
  // exit handler and the signal handlers find it done.
  void Restore(std::string_view last_bytes);

 private:
  int input_fd_ = -1;   // standard input, or -1 when it gives no keys
  int output_fd_ = -1;  // a terminal to draw on, or -1
  bool reads_reports_ = false;
};

}  // namespace zul
