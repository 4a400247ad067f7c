// A clock for timing tests that moves only when the test moves it (Advance) or
// when a wait for input runs out, by that wait's whole time. A wait with a time
// limit never blocks: it looks for input and, finding none, lets the time pass.
#pragma once

#include "device/monotonic_clock.h"

namespace zul::testing {

class ManualClock : public MonotonicClock {
 public:
  int64_t NowMs() override { return now_ms_; }
  int BlockingLimitMs(int limit_ms) override { return limit_ms < 0 ? limit_ms : 0; }
  void WaitRanOut(int limit_ms) override {
    if (limit_ms > 0) now_ms_ += limit_ms;
  }
  // Time that passes outside any wait, as while the program is busy.
  void Advance(int64_t ms) { now_ms_ += ms; }

 private:
  int64_t now_ms_ = 0;
};

}  // namespace zul::testing
