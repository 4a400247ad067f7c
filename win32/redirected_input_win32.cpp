#include "win32/redirected_input_win32.h"

#include <chrono>
#include <system_error>
#include <thread>

namespace zul {

namespace {

// Bytes taken from a redirected input in one read.
constexpr DWORD kBytesPerRead = 4096;

}  // namespace

RedirectedInput::RedirectedInput(HANDLE input) : state_(std::make_shared<State>()) {
  try {
    std::thread([state = state_, input] { ReadAll(*state, input); }).detach();
  } catch (const std::system_error&) {
    state_->ended = true;
  }
}

RedirectedInput::Result RedirectedInput::Take(std::string& bytes, int timeout_ms) {
  std::unique_lock<std::mutex> lock(state_->mutex);
  const auto ready = [this] { return !state_->bytes.empty() || state_->ended; };
  if (timeout_ms < 0)
    state_->changed.wait(lock, ready);
  else if (!state_->changed.wait_for(lock, std::chrono::milliseconds(timeout_ms), ready))
    return Result::kTimeout;
  if (state_->bytes.empty()) return Result::kEnd;
  bytes += state_->bytes;
  state_->bytes.clear();
  return Result::kBytes;
}

void RedirectedInput::ReadAll(State& state, HANDLE input) {
  char buffer[kBytesPerRead];
  for (;;) {
    DWORD read = 0;
    const bool ok = ReadFile(input, buffer, kBytesPerRead, &read, nullptr) != 0;
    std::lock_guard<std::mutex> lock(state.mutex);
    if (!ok || read == 0) {
      state.ended = true;
      state.changed.notify_all();
      return;
    }
    state.bytes.append(buffer, read);
    state.changed.notify_all();
  }
}

}  // namespace zul
