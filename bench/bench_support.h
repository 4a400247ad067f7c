// The pure parts of the terminal benchmark: its options, a small model of what a
// program's output has drawn on a terminal (to see a marker text and the cursor-key
// mode), the rule for "the output has gone quiet", medians and targets. No I/O here.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zul::bench {

struct Options {
  int runs = 5;
  int quiet_ms = 25;
  int timeout_ms = 5000;  // the longest wait of any one step
  bool skip_listing = false;
  bool skip_completion = false;
  std::string chooser;
};

// Reads the options after the program name (--runs N, --quiet-ms N, --timeout-ms N,
// --chooser PATH, --skip-listing, --skip-completion) over `defaults`; nothing on an
// unknown option, a missing value or a number out of range.
std::optional<Options> ParseOptions(const std::vector<std::string_view>& args, Options defaults);

// What one run of a program measured.
struct Sample {
  double bytes_total = 0;
  double bytes_per_pair = 0;
  double cpu_s = 0;
  double first_frame_ms = 0;
  double esc_exit_ms = 0;
  double peak_mib = 0;
};

// The median of each figure over the runs; all missing when there were none.
struct Figures {
  std::optional<double> bytes_total, bytes_per_pair, cpu_s, first_frame_ms, esc_exit_ms, peak_mib;
};
Figures Medians(const std::vector<Sample>& runs);

// Our figure over a peer's; nothing when either is missing or the peer's is not above zero.
std::optional<double> Ratio(std::optional<double> ours, std::optional<double> theirs);

// Each target met (true), not met (false), or not measured (nothing): bytes total at
// most 0.8x whiptail's, bytes per key pair at most 1.5x whiptail's (a key recolours
// the names the highlight leaves and lands on) and above zero, CPU at most
// whiptail's, Esc to exit under 50 ms.
struct Verdicts {
  std::optional<bool> bytes_total, bytes_per_pair, cpu, esc_exit;
};
Verdicts JudgeTargets(const Figures& ours, const Figures& whiptail);

// The median of the samples: the middle one, or the mean of the two middle ones;
// nothing when there are no samples.
std::optional<double> Median(std::vector<double> samples);

// Follows a terminal output stream fed in pieces of any size, so that a sequence or a
// text split across reads counts as if it came in one piece. It sees a marker text in
// two ways, either is enough:
//  - on the modelled screen, on one row (so a diff renderer that leaves cells alone
//    because they already show the right character still counts);
//  - as a run of visible characters in the stream, blanks, controls and escape
//    sequences between them ignored (so a renderer that skips blank cells by moving
//    the cursor still counts when the screen model misses a movement).
// The screen model knows the usual cursor moves, erases, autowrap and scrolling of the
// whole screen; scrolling regions and line insertion are not modelled.
class TerminalModel {
 public:
  TerminalModel(int columns, int rows);

  void Feed(std::string_view bytes);

  // Starts looking for `marker`; what the stream showed before is forgotten.
  void Expect(std::string_view marker);
  // Whether the expected marker has come in the stream since Expect, or shows now.
  bool MarkerSeen() const;

  // Whether the program asked for application cursor keys (Down is then ESC O B).
  bool ApplicationCursorKeys() const { return application_cursor_keys_; }
  // One row of the modelled screen; characters outside ASCII show as '?'.
  const std::string& Row(int row) const { return screen_[row]; }

 private:
  enum class State { kGround, kEscape, kEscapeIntermediate, kCsi, kString, kStringEscape };

  void Control(char c);
  void Print(char c);
  void EscapeFinal(char c);
  void CsiFinal(char c);
  void LineFeed();
  void Erase(int row, int from, int to);
  void ClampCursor();

  int columns_;
  int rows_;
  std::vector<std::string> screen_;
  int row_ = 0;
  int column_ = 0;  // may equal columns_: the next character wraps first
  int saved_row_ = 0;
  int saved_column_ = 0;
  char last_printed_ = ' ';
  bool application_cursor_keys_ = false;

  State state_ = State::kGround;
  std::string csi_;  // parameter and intermediate bytes of the sequence being read

  std::string marker_;  // without blanks
  std::string tail_;    // the last visible characters of the stream, a marker's length at most
  bool marker_in_stream_ = false;
};

// What a wait for quiet output should do next. Times are milliseconds on one clock.
struct QuietStep {
  enum Kind { kQuiet, kTimedOut, kWait } kind;
  int wait_ms = 0;  // for kWait: the longest time to wait for more output, at least 1
};

// The output counts as quiet once `ready` (the awaited marker has been seen, or none is
// awaited) and no byte came for `quiet_ms` since `last_output_ms`; quiet found at the
// deadline still counts. Otherwise the wait times out at `deadline_ms`.
QuietStep NextQuietStep(double now_ms, double last_output_ms, double deadline_ms, double quiet_ms, bool ready);

}  // namespace zul::bench
