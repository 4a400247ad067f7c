#include "dialogs/folder_look_ups.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <utility>

namespace zul {

// What the thread and the dialog share, under `mutex`.
struct FolderLookUps::Shared {
  explicit Shared(std::shared_ptr<FolderSource> from) : source(std::move(from)) {}
  std::shared_ptr<FolderSource> source;
  std::mutex mutex;
  std::condition_variable changed;
  std::optional<Text> finding;      // asked, not yet begun
  std::optional<Text> completions;  // asked, not yet begun
  int under_way = 0;                // begun, not yet answered
  std::vector<Answer> answers;      // answered, not yet taken
  bool stop = false;
  bool ended = false;  // the thread has left its loop
};

FolderLookUps::FolderLookUps(std::shared_ptr<FolderSource> source)
    : source_(source), shared_(std::make_shared<Shared>(std::move(source))) {}

FolderLookUps::~FolderLookUps() {
  if (!worker_.joinable()) return;
  std::unique_lock lock(shared_->mutex);
  shared_->stop = true;
  shared_->changed.notify_all();
  const bool ended =
      shared_->changed.wait_for(lock, std::chrono::milliseconds(kLeaveMs), [this] { return shared_->ended; });
  lock.unlock();
  if (ended)
    worker_.join();
  else
    worker_.detach();
}

void FolderLookUps::Ask(Kind kind, const Text& question) {
  {
    const std::lock_guard lock(shared_->mutex);
    (kind == Kind::kFinding ? shared_->finding : shared_->completions) = question;
  }
  shared_->changed.notify_all();
  if (!worker_.joinable()) worker_ = std::thread(Work, shared_);
}

std::vector<FolderLookUps::Answer> FolderLookUps::TakeAnswers() {
  const std::lock_guard lock(shared_->mutex);
  return std::exchange(shared_->answers, {});
}

bool FolderLookUps::Waiting() const {
  const std::lock_guard lock(shared_->mutex);
  return shared_->finding || shared_->completions || shared_->under_way > 0 || !shared_->answers.empty();
}

// The thread: Tab's completions before a finding, one look-up at a time, the lock
// let go while the source looks.
void FolderLookUps::Work(std::shared_ptr<Shared> shared) {
  std::unique_lock lock(shared->mutex);
  for (;;) {
    shared->changed.wait(lock, [&] { return shared->stop || shared->finding || shared->completions; });
    if (shared->stop) break;
    Answer answer;
    answer.kind = shared->completions ? Kind::kCompletions : Kind::kFinding;
    std::optional<Text>& asked = shared->completions ? shared->completions : shared->finding;
    answer.question = std::move(*asked);
    asked.reset();
    ++shared->under_way;
    lock.unlock();
    if (answer.kind == Kind::kCompletions)
      answer.completions = shared->source->Complete(answer.question);
    else
      answer.finding = shared->source->Find(answer.question);
    lock.lock();
    --shared->under_way;
    shared->answers.push_back(std::move(answer));
  }
  shared->ended = true;
  shared->changed.notify_all();
}

}  // namespace zul
