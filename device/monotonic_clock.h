// The time the terminal console goes by: monotonic milliseconds for read
// deadlines, the lone Esc's timeout and double clicks. Its waits for input are
// bounded through the clock as well, so that a clock the tests move lets a
// wait's time pass at once: timing is then tested without sleeping.
#pragma once

#include <cstdint>

namespace zul {

class MonotonicClock {
 public:
  virtual ~MonotonicClock() = default;

  // Milliseconds since an arbitrary start; never less than an earlier answer.
  virtual int64_t NowMs() = 0;
  // The real milliseconds that a wait for input which may last `limit_ms`
  // (negative: no limit) may block for. The system's clock: all of them.
  virtual int BlockingLimitMs(int limit_ms) = 0;
  // A wait for input of up to `limit_ms` ended with nothing come, its time
  // used up. The system's clock saw that time pass; a clock the tests move
  // moves on by it now.
  virtual void WaitRanOut(int limit_ms) = 0;
};

// The system's monotonic clock, for as long as the program runs.
MonotonicClock& SystemClock();

}  // namespace zul
