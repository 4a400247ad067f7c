// Finding and starting a program where the places are spelled or set up unusually:
// folders ending in a slash, no PATH at all, a folder of a group that has no name.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "system/process.h"
#include "system/process_posix.h"
#include "tests/support/scratch_directory_posix.h"

namespace zul {
namespace {

using testing::ScratchDirectory;
using testing::WriteBytes;

void MakeProgram(const std::string& path) {
  ASSERT_TRUE(WriteBytes(path, "#!/bin/sh\nexit 0\n")) << path;
  ASSERT_EQ(chmod(path.c_str(), 0755), 0);
}

// A folder spelled with a slash at its end gives the program's path one slash.
TEST(FindProgram, JoinsAFolderEndingInASlashWithOneSlash) {
  ScratchDirectory scratch;
  for (const char* folder : {"own", "work", "work/bin", "p1"})
    ASSERT_EQ(mkdir((scratch / folder).c_str(), 0755), 0);
  for (const char* program : {"own/prog", "work/prog", "work/bin/tool", "p1/prog"}) MakeProgram(scratch / program);
  struct Case {
    const char* word;
    std::string own, work, path, found;
  };
  const Case cases[] = {
      {"prog", scratch / "own/", "", "", scratch / "own/prog"},
      {"prog", "", scratch / "work/", "", scratch / "work/prog"},
      {"prog", "", "", scratch / "p1/", scratch / "p1/prog"},
      {"bin/tool", "", scratch / "work/", "", scratch / "work/bin/tool"},
  };
  for (const Case& c : cases) EXPECT_EQ(FindProgram(c.word, c.own, c.work, c.path), c.found) << c.word;
}

// PATH unset while this lives, set again as it was when it ends.
class PathUnset {
 public:
  PathUnset() {
    if (const char* found = std::getenv("PATH")) path_ = found;
    unsetenv("PATH");
  }
  ~PathUnset() {
    if (path_) setenv("PATH", path_->c_str(), 1);
  }
  PathUnset(const PathUnset&) = delete;
  PathUnset& operator=(const PathUnset&) = delete;

 private:
  std::optional<std::string> path_;
};

// Without a PATH the program beside the chooser is still found, and nothing else.
TEST(StartAndWait, RunsWithoutAPath) {
  const PathUnset no_path;
  EXPECT_TRUE(StartAndWait("zul_argument_recorder"));
  EXPECT_FALSE(StartAndWait("sh -c true"));
}

// A folder that a group without a name may write to: nobody can say who is in
// it, so a program there is passed over.
TEST(FindProgram, PassesOverAFolderOfAGroupWithoutAName) {
  if (geteuid() != 0) GTEST_SKIP() << "only root can give a folder to another group";
  constexpr gid_t kNoSuchGroup = 54321;
  if (getgrgid(kNoSuchGroup) != nullptr) GTEST_SKIP() << "group " << kNoSuchGroup << " exists here";
  ScratchDirectory scratch;
  ASSERT_EQ(mkdir((scratch / "own").c_str(), 0775), 0);
  MakeProgram(scratch / "own/prog");
  EXPECT_EQ(FindProgram("prog", scratch / "own", "", ""), scratch / "own/prog");
  ASSERT_EQ(chown((scratch / "own").c_str(), 0, kNoSuchGroup), 0);
  ASSERT_EQ(chmod((scratch / "own").c_str(), 0775), 0);
  EXPECT_EQ(FindProgram("prog", scratch / "own", "", ""), "");
}

}  // namespace
}  // namespace zul
