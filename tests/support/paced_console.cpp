#include "tests/support/paced_console.h"

#include <chrono>
#include <thread>

namespace zul::testing {

namespace {
constexpr auto kSettleLimit = std::chrono::seconds(5);
}  // namespace

// 1. a pause runs out wait by wait while the dialog waits with a limit; a dialog
//    that waits without one has it over at once;
// 2. a settle lets real time pass, a millisecond a wait, for as long as the dialog
//    waits with a limit;
// 3. an event is given as the watched console gives it; after the script, the end.
bool PacedConsole::ReadInput(InputEvent& event, int timeout_ms) {
  while (!steps_.empty()) {
    if (auto* pause = std::get_if<Pause>(&steps_.front())) {
      if (timeout_ms < 0 || pause->ms <= timeout_ms) {
        clock.Advance(pause->ms);
        steps_.pop_front();
        if (timeout_ms >= 0) return false;
        continue;
      }
      clock.Advance(timeout_ms);
      pause->ms -= timeout_ms;
      return false;
    }
    if (std::holds_alternative<Settle>(steps_.front())) {
      const auto now = std::chrono::steady_clock::now();
      if (!settling_since_) settling_since_ = now;
      if (timeout_ms < 0 || now - *settling_since_ > kSettleLimit) {
        settling_since_.reset();
        steps_.pop_front();
        continue;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      clock.Advance(timeout_ms);
      return false;
    }
    PushInput(std::get<InputEvent>(steps_.front()));
    steps_.pop_front();
    break;
  }
  return WatchedConsole::ReadInput(event, timeout_ms);
}

void FakeFolders::Wait(const Text& question) {
  std::unique_lock lock(mutex_);
  asked_.push_back(question);
  if (!held) return;
  ++holding_;
  changed_.notify_all();
  changed_.wait(lock, [this] { return released_; });
  --holding_;
}

FolderSource::Finding FakeFolders::Find(const Text& answer) {
  Wait(answer);
  const auto found = findings.find(answer);
  return found == findings.end() ? Finding::kNothing : found->second;
}

std::vector<Text> FakeFolders::Complete(const Text& typed) {
  Wait(typed);
  const auto found = completions.find(typed);
  return found == completions.end() ? std::vector<Text>{} : found->second;
}

Text FakeFolders::PastedPath(const Text& pasted) const {
  if (pasted.size() >= 2 && pasted.front() == '\'' && pasted.back() == '\'')
    return pasted.substr(1, pasted.size() - 2);
  return pasted;
}

void FakeFolders::Release() {
  const std::lock_guard lock(mutex_);
  released_ = true;
  changed_.notify_all();
}

std::vector<Text> FakeFolders::Asked() const {
  const std::lock_guard lock(mutex_);
  return asked_;
}

int FakeFolders::Holding() const {
  const std::lock_guard lock(mutex_);
  return holding_;
}

bool FakeFolders::WaitUntilHolding(int count) const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, kSettleLimit, [&] { return holding_ >= count; });
}

}  // namespace zul::testing
