#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <set>
#include <vector>

#include "system/directory.h"
#include "tests/support/scratch_directory_posix.h"

namespace zul {
namespace {

using testing::ScratchDirectory;
using testing::WorkingDirectory;
using testing::WriteBytes;

void MakeDirectory(const std::string& path) { ASSERT_EQ(mkdir(path.c_str(), 0755), 0) << path; }
void MakeFile(const std::string& path) { ASSERT_TRUE(WriteBytes(path, "x")) << path; }

// Every name of a search for `pattern`, in the order given; stops at the first empty text.
std::vector<Text> Listing(const Text& pattern, int filter = 0) {
  std::vector<Text> names;
  for (Text name = StartDirectorySearch(pattern, filter); !name.empty(); name = NextDirectoryName()) {
    names.push_back(name);
    if (names.size() > 5000) break;
  }
  return names;
}

std::vector<Text> Sorted(std::vector<Text> names) {
  std::sort(names.begin(), names.end());
  return names;
}

// --- Changing the working directory ---

TEST(ChangeWorkingDirectory, ChangesToExistingDirectoriesAbsoluteRelativeAndWithTrailingSlash) {
  ScratchDirectory scratch;
  MakeDirectory(scratch / "sub");
  MakeDirectory(scratch / "sub/deeper");

  EXPECT_TRUE(ChangeWorkingDirectory(scratch.Path()));
  EXPECT_EQ(WorkingDirectory(), scratch.Path());
  EXPECT_TRUE(ChangeWorkingDirectory("sub"));
  EXPECT_EQ(WorkingDirectory(), scratch / "sub");
  EXPECT_TRUE(ChangeWorkingDirectory("deeper/"));
  EXPECT_EQ(WorkingDirectory(), scratch / "sub/deeper");
  EXPECT_TRUE(ChangeWorkingDirectory(".."));
  EXPECT_EQ(WorkingDirectory(), scratch / "sub");
  EXPECT_TRUE(ChangeWorkingDirectory(scratch.Path() + "//sub//deeper//"));
  EXPECT_EQ(WorkingDirectory(), scratch / "sub/deeper");
}

TEST(ChangeWorkingDirectory, FailsWithoutChangingAnythingForWhatIsNoDirectory) {
  ScratchDirectory scratch;
  MakeFile(scratch / "plain.zul");
  MakeDirectory(scratch / "a");
  ASSERT_TRUE(ChangeWorkingDirectory(scratch.Path()));

  EXPECT_FALSE(ChangeWorkingDirectory(scratch / "nothere"));
  EXPECT_FALSE(ChangeWorkingDirectory("nothere/a"));
  EXPECT_FALSE(ChangeWorkingDirectory("plain.zul"));
  EXPECT_FALSE(ChangeWorkingDirectory("plain.zul/"));
  EXPECT_FALSE(ChangeWorkingDirectory(""));
  // The system call would stop at the zero byte and reach "a": refused instead.
  EXPECT_FALSE(ChangeWorkingDirectory(Text("a\0junk", 6)));
  EXPECT_EQ(WorkingDirectory(), scratch.Path());
}

TEST(ChangeWorkingDirectory, FailsForADirectoryItMayNotEnter) {
  if (geteuid() == 0) GTEST_SKIP() << "permission checks do not apply to root";
  ScratchDirectory scratch;
  MakeDirectory(scratch / "locked");
  ASSERT_EQ(chmod((scratch / "locked").c_str(), 0600), 0);
  ASSERT_TRUE(ChangeWorkingDirectory(scratch.Path()));
  EXPECT_FALSE(ChangeWorkingDirectory("locked"));
  EXPECT_EQ(WorkingDirectory(), scratch.Path());
}

TEST(ChangeWorkingDirectory, RefusesWildcardsWithoutAskingTheSystem) {
  ScratchDirectory scratch;
  // Directories with these very names exist, so a call to the system would succeed.
  MakeDirectory(scratch / "a*b");
  MakeDirectory(scratch / "q?");
  MakeDirectory(scratch / "*.zul");
  ASSERT_TRUE(ChangeWorkingDirectory(scratch.Path()));

  EXPECT_FALSE(ChangeWorkingDirectory("a*b"));
  EXPECT_FALSE(ChangeWorkingDirectory("q?"));
  EXPECT_FALSE(ChangeWorkingDirectory("*.zul"));
  EXPECT_FALSE(ChangeWorkingDirectory(scratch / "q?/"));
  EXPECT_EQ(WorkingDirectory(), scratch.Path());
}

// A directory whose absolute path is exactly `length` bytes long, made of one component under
// the scratch directory.
std::string DirectoryOfPathLength(const ScratchDirectory& scratch, std::size_t length, char last) {
  const std::size_t component = length - scratch.Path().size() - 1;
  return scratch / (std::string(component - 1, 'd') + last);
}

TEST(ChangeWorkingDirectory, UsesOnlyTheFirst255Bytes) {
  ScratchDirectory scratch;
  if (scratch.Path().size() > 200) GTEST_SKIP() << "temporary folder path too long for this test";

  // 1. A 255-byte path to a directory followed by junk: the junk is cut away.
  const std::string exact = DirectoryOfPathLength(scratch, kMaxDirectoryPath, 'e');
  ASSERT_EQ(exact.size(), 255u);
  MakeDirectory(exact);
  EXPECT_TRUE(ChangeWorkingDirectory(exact + "/missing/more"));
  EXPECT_EQ(WorkingDirectory(), exact);
  // A wildcard after the cut is no wildcard of the used part.
  EXPECT_TRUE(ChangeWorkingDirectory(exact + "*?"));
  EXPECT_EQ(WorkingDirectory(), exact);

  // 2. A 256-byte path to a directory: its cut names nothing, so the change fails.
  ASSERT_TRUE(ChangeWorkingDirectory(scratch.Path()));
  const std::string longer = DirectoryOfPathLength(scratch, kMaxDirectoryPath + 1, 'f');
  MakeDirectory(longer);
  EXPECT_FALSE(ChangeWorkingDirectory(longer));
  EXPECT_EQ(WorkingDirectory(), scratch.Path());
}

// --- Directory search ---

TEST(DirectorySearch, ListsMatchingFilesButNotHiddenEntriesDirectoriesOrDanglingLinks) {
  ScratchDirectory scratch;
  ASSERT_TRUE(ChangeWorkingDirectory(scratch.Path()));
  for (const char* name : {"b.zul", "A.ZUL", "c.Zul", "same.zul", "SAME.ZUL", "y.zulu", "z.ZUL.txt", "noext",
                           ".hidden.zul", ".ZUL", "\x84x.zul", "caf\xE9.ZUL"}) {
    MakeFile(scratch / name);
  }
  MakeDirectory(scratch / "x.zul");
  MakeDirectory(scratch / "real");
  ASSERT_EQ(symlink("real", (scratch / "l.zul").c_str()), 0);
  ASSERT_EQ(symlink("b.zul", (scratch / "tofile.zul").c_str()), 0);
  ASSERT_EQ(symlink("nowhere", (scratch / "dangle.zul").c_str()), 0);
  ASSERT_EQ(mkfifo((scratch / "pipe.zul").c_str(), 0600), 0);

  const std::vector<Text> expected{"A.ZUL",    "SAME.ZUL", "b.zul",      "c.Zul",    "caf\xE9.ZUL",
                                   "pipe.zul", "same.zul", "tofile.zul", "\x84x.zul"};
  EXPECT_EQ(Sorted(Listing("*.ZUL")), expected);
  EXPECT_EQ(Sorted(Listing("*.zul")), expected);

  // The filter bits let hidden entries and directories through.
  const std::vector<Text> with_hidden = Sorted(Listing("*.ZUL", kSearchHidden));
  EXPECT_EQ(with_hidden.size(), expected.size() + 2);
  EXPECT_TRUE(std::count(with_hidden.begin(), with_hidden.end(), ".hidden.zul"));
  const std::vector<Text> with_directories = Sorted(Listing("*.ZUL", kSearchDirectories));
  EXPECT_EQ(with_directories.size(), expected.size() + 2);
  EXPECT_TRUE(std::count(with_directories.begin(), with_directories.end(), "x.zul"));
  EXPECT_TRUE(std::count(with_directories.begin(), with_directories.end(), "l.zul"));
}

TEST(DirectorySearch, GivesTheEmptyTextForNoMatchAnEmptyOrAMissingDirectory) {
  ScratchDirectory scratch;
  MakeDirectory(scratch / "empty");
  MakeDirectory(scratch / "gone");
  MakeFile(scratch / "other.txt");
  ASSERT_TRUE(ChangeWorkingDirectory(scratch.Path()));
  EXPECT_EQ(StartDirectorySearch("*.ZUL", 0), "");
  EXPECT_EQ(NextDirectoryName(), "");

  ASSERT_TRUE(ChangeWorkingDirectory("empty"));
  EXPECT_EQ(StartDirectorySearch("*.ZUL", 0), "");
  EXPECT_EQ(StartDirectorySearch("*", 0), "");
  EXPECT_EQ(NextDirectoryName(), "");

  // The working directory itself vanishes.
  ASSERT_TRUE(ChangeWorkingDirectory(scratch / "gone"));
  ASSERT_EQ(rmdir((scratch / "gone").c_str()), 0);
  EXPECT_EQ(StartDirectorySearch("*", kSearchHidden | kSearchDirectories), "");
  EXPECT_EQ(NextDirectoryName(), "");
}

TEST(DirectorySearch, ListsManyFilesEachOnceThenStaysAtItsEnd) {
  ScratchDirectory scratch;
  ASSERT_TRUE(ChangeWorkingDirectory(scratch.Path()));
  std::set<Text> made;
  for (int i = 0; i < 1005; ++i) {
    const Text name = "F" + std::to_string(i) + (i % 2 ? ".zul" : ".ZUL");
    MakeFile(scratch / name);
    made.insert(name);
  }
  const std::vector<Text> listed = Listing("*.ZUL");
  EXPECT_EQ(listed.size(), 1005u);
  EXPECT_EQ(std::set<Text>(listed.begin(), listed.end()), made);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(NextDirectoryName(), "");

  // Files made after the end do not reopen the finished search.
  MakeFile(scratch / "late.zul");
  EXPECT_EQ(NextDirectoryName(), "");
}

TEST(DirectorySearch, ANewStartAbandonsTheOpenSearch) {
  ScratchDirectory scratch;
  MakeDirectory(scratch / "other");
  for (const char* name : {"a.zul", "b.zul", "c.zul", "d.txt", "e.txt"}) MakeFile(scratch / name);
  MakeFile(scratch / "other/o.zul");
  ASSERT_TRUE(ChangeWorkingDirectory(scratch.Path()));

  ASSERT_NE(StartDirectorySearch("*.zul", 0), "");
  std::vector<Text> texts{StartDirectorySearch("*.txt", 0)};
  for (Text name = NextDirectoryName(); !name.empty(); name = NextDirectoryName()) texts.push_back(name);
  EXPECT_EQ(Sorted(texts), (std::vector<Text>{"d.txt", "e.txt"}));

  // A new start lists the working directory of that moment.
  ASSERT_NE(StartDirectorySearch("*.zul", 0), "");
  ASSERT_TRUE(ChangeWorkingDirectory("other"));
  EXPECT_EQ(Listing("*.zul"), (std::vector<Text>{"o.zul"}));
}

TEST(DirectorySearch, LeavesNoDirectoryOpenAfterItsEndOrWhenAbandoned) {
  ScratchDirectory scratch;
  for (const char* name : {"a.zul", "b.zul"}) MakeFile(scratch / name);
  ASSERT_TRUE(ChangeWorkingDirectory(scratch.Path()));
  Listing("*.zul");
  const int before = testing::OpenDescriptorCount();
  for (int i = 0; i < 50; ++i) {
    Listing("*.zul");
    StartDirectorySearch("*.zul", 0);
  }
  Listing("*.zul");
  EXPECT_EQ(testing::OpenDescriptorCount(), before);
}

}  // namespace
}  // namespace zul
