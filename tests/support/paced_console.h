// Dialog tests in time: a watched console whose input is a script of events and
// pauses on a clock the test moves, and a folder source the test fills, which may
// hold its look-ups back until the test lets them go. Test support only.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <variant>
#include <vector>

#include "dialogs/folder_look_ups.h"
#include "tests/support/manual_clock.h"
#include "tests/support/watched_console.h"

namespace zul::testing {

// Input as a dialog meets it: events, pauses in typing (Pause: the clock moves on
// by that much, wait by wait, without real waiting) and waits for the dialog's
// look-ups (Settle: real time passes until the dialog next waits for input without
// a limit, at most a few seconds). The dialog is to be given `clock`, which the
// pauses move.
class PacedConsole : public WatchedConsole {
 public:
  struct Pause {
    int ms = 0;
  };
  struct Settle {};
  using Step = std::variant<InputEvent, Pause, Settle>;

  explicit PacedConsole(Coord size = {80, 30}) : WatchedConsole(size, size) {}
  void Add(const InputEvent& event) { steps_.push_back(event); }
  void Add(const std::vector<InputEvent>& events) { steps_.insert(steps_.end(), events.begin(), events.end()); }
  void Add(Pause pause) { steps_.push_back(pause); }
  void Add(Settle settle) { steps_.push_back(settle); }
  void Add(const Step& step) { steps_.push_back(step); }
  template <typename... Steps>
  void Script(const Steps&... steps) {
    (Add(steps), ...);
  }

  bool ReadInput(InputEvent& event, int timeout_ms) override;

  ManualClock clock;

 private:
  std::deque<Step> steps_;
  std::optional<std::chrono::steady_clock::time_point> settling_since_;
};

// A folder source of fixed answers: the finding of each answer (nothing when not
// given), the completions of each typed text (none when not given), and a pasted
// text with surrounding quotes taken away. With `held`, each look-up waits until
// Release lets it go. Safe on any thread.
class FakeFolders : public FolderSource {
 public:
  std::map<Text, Finding> findings;
  std::map<Text, std::vector<Text>> completions;
  bool held = false;

  Finding Find(const Text& answer) override;
  std::vector<Text> Complete(const Text& typed) override;
  Text PastedPath(const Text& pasted) const override;

  // Lets every look-up held now or later go.
  void Release();
  // The questions asked so far, in order, and how many look-ups are held now.
  std::vector<Text> Asked() const;
  int Holding() const;
  // Waits (really, at most a few seconds) until `count` look-ups are held.
  bool WaitUntilHolding(int count) const;

 private:
  void Wait(const Text& question);

  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::vector<Text> asked_;
  int holding_ = 0;
  bool released_ = false;
};

}  // namespace zul::testing
