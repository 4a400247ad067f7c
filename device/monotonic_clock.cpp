#include "device/monotonic_clock.h"

#include <chrono>

namespace zul {

namespace {

class SteadyClock : public MonotonicClock {
 public:
  int64_t NowMs() override {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
  }
  int BlockingLimitMs(int limit_ms) override { return limit_ms; }
  void WaitRanOut(int /*limit_ms*/) override {}
};

}  // namespace

MonotonicClock& SystemClock() {
  static SteadyClock clock;
  return clock;
}

}  // namespace zul
