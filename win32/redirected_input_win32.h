// The Windows program's standard input when it is a file or a pipe, not a console: a
// thread of its own reads its bytes, which the console device takes with a time limit.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

namespace zul {

// Standard input when it is a file or a pipe. A thread of its own reads it, so that a
// wait for bytes can time out whatever the handle is: wine's pipes can be neither peeked
// nor waited for. The state is shared with the thread, which may still be blocked in a
// read when the device is gone; it ends with the input or with the process.
class RedirectedInput {
 public:
  enum class Result { kBytes, kTimeout, kEnd };

  // Starts the reading thread; an input that no thread can read counts as ended.
  explicit RedirectedInput(HANDLE input);

  // Waits up to `timeout_ms` (negative: no limit) for bytes and appends all that came to
  // `bytes`. kEnd only when the input has ended and every byte was taken.
  Result Take(std::string& bytes, int timeout_ms);

 private:
  struct State {
    std::mutex mutex;
    std::condition_variable changed;
    std::string bytes;
    bool ended = false;
  };

  // Reads until the end of the input or a read error, which ends it too.
  static void ReadAll(State& state, HANDLE input);

  std::shared_ptr<State> state_;
};

}  // namespace zul
