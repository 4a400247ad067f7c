// What the input box asks of the file system about the path being typed, and the
// thread that asks it. The box's caller gives it a FolderSource (the console-tools
// library's, or a test's fake): the dialogs never reach the file system
// themselves. A look-up may take long (a slow or dead network share), so
// FolderLookUps runs them on a thread of its own and hands their answers back to
// the thread that reads the keys, which never waits for one and alone draws.
#pragma once

#include <memory>
#include <thread>
#include <vector>

#include "base/text.h"

namespace zul {

class FolderSource {
 public:
  virtual ~FolderSource() = default;

  // What an answer names, read as the box's caller reads the answer it is given.
  enum class Finding {
    kFolder,    // a folder: the change into it would be made
    kFile,      // something that is not a folder
    kNothing,   // nothing of that name
    kWildcard,  // a name with * or ?, which the change refuses
  };
  // What `answer` names. Called on the look-up thread only; may take long.
  virtual Finding Find(const Text& answer) = 0;
  // The texts Tab may put in place of `typed`, the text before the caret, in the
  // order Tab goes through them: the path with its last part completed to the
  // name of a folder and a separator. Called on the look-up thread only; may
  // take long.
  virtual std::vector<Text> Complete(const Text& typed) = 0;
  // `pasted` as the path it spells, quoting taken away. Called on the thread that
  // reads the keys, and quick: it reads no file system.
  virtual Text PastedPath(const Text& pasted) const = 0;
};

// Look-ups of one dialog, run one at a time on a thread that starts with the
// first question. Only the newest question of each kind is kept: one asked while
// another of its kind waits to begin takes its place. The thread ends with this
// object; one held up by a look-up that does not return (a hung network share) is
// waited for kLeaveMs and then left to end by itself: it touches nothing but what
// it shares with this object.
class FolderLookUps {
 public:
  static constexpr int kLeaveMs = 300;

  enum class Kind { kFinding, kCompletions };
  struct Answer {
    Kind kind = Kind::kFinding;
    Text question;  // the answer or the typed text it answers
    FolderSource::Finding finding = FolderSource::Finding::kNothing;
    std::vector<Text> completions;
  };

  explicit FolderLookUps(std::shared_ptr<FolderSource> source);
  ~FolderLookUps();
  FolderLookUps(const FolderLookUps&) = delete;
  FolderLookUps& operator=(const FolderLookUps&) = delete;

  void Ask(Kind kind, const Text& question);
  // The answers come since the last call, oldest first.
  std::vector<Answer> TakeAnswers();
  // Whether a question was asked whose answer has not been taken.
  bool Waiting() const;

  const FolderSource& Source() const { return *source_; }

 private:
  struct Shared;
  static void Work(std::shared_ptr<Shared> shared);

  std::shared_ptr<FolderSource> source_;
  std::shared_ptr<Shared> shared_;
  std::thread worker_;
};

}  // namespace zul
