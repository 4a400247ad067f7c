// The library's folder look-ups on a real file system: the answer as the chooser
// gets it, what it names, and Tab's completions, which are folders only.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <string>

#include "consoletools/folder_source.h"
#include "tests/support/scratch_directory_posix.h"

namespace zul {
namespace {

using Finding = FolderSource::Finding;

TEST(FolderSourceOnDisk, ReadsTheAnswerAndLooksUpFoldersOnly) {
  testing::ScratchDirectory scratch;
  for (const char* folder : {"my courses", "'quoted'", "kurse", "kurse/term1", "kurse/term2"})
    ASSERT_EQ(mkdir((scratch / folder).c_str(), 0755), 0) << folder;
  ASSERT_TRUE(testing::WriteBytes(scratch / "kurse/termfile", "x"));
  const char* home = getenv("HOME");
  const std::string saved_home = home != nullptr ? home : "";
  setenv("HOME", scratch.Path().c_str(), 1);
  ASSERT_EQ(chdir(scratch.Path().c_str()), 0);

  const std::string dir = scratch.Path();
  struct Row {
    Text typed;
    Text taken;
  };
  const Row rows[] = {
      {"'my courses' ", "my courses"},
      {"'quoted'", "'quoted'"},  // a folder named with its quotes is taken as it stands
      {"~/kurse", dir + "/kurse"},
      {" ~ ", dir},
      {"'~/kurse'", "~/kurse"},
      {"  plain  ", "  plain  "},
      {"file://" + dir + "/my%20courses", dir + "/my courses"},
  };
  for (const Row& row : rows) EXPECT_EQ(TakenAnswer(row.typed, PathStyle::kPosix), row.taken) << row.typed;

  FileSystemFolders folders(Utf8CodePage());
  EXPECT_EQ(folders.Find("'my courses'"), Finding::kFolder);
  EXPECT_EQ(folders.Find("~/kurse/termfile"), Finding::kFile);
  EXPECT_EQ(folders.Find("kurse/none"), Finding::kNothing);
  EXPECT_EQ(folders.Find("kurse/*"), Finding::kWildcard);
  EXPECT_EQ(folders.Complete("kurse/te"), (std::vector<Text>{"kurse/term1/", "kurse/term2/"}));
  EXPECT_EQ(folders.Complete("~/k"), (std::vector<Text>{dir + "/kurse/"}));
  EXPECT_EQ(folders.PastedPath("'" + dir + "/my courses' "), dir + "/my courses");

  setenv("HOME", saved_home.c_str(), 1);
}

}  // namespace
}  // namespace zul
