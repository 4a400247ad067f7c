// The converter stand-in, run as the chooser would run it and directly with chosen arguments.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

#include "system/directory.h"
#include "system/process.h"
#include "tests/support/scratch_directory_posix.h"

extern char** environ;

namespace zul {
namespace {

using testing::ProgramBesideTests;
using testing::ReadBytes;
using testing::ScratchDirectory;
using testing::WriteBytes;

struct Outcome {
  int exit_code = -1;
  std::string out;
  std::string err;
};

// Runs the stand-in with `arguments`, its output streams caught in files of `scratch`.
Outcome RunConverter(const ScratchDirectory& scratch, const std::vector<std::string>& arguments) {
  const std::string program = ProgramBesideTests("../demo/vizozava-demo");
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const std::string out = scratch / "stdout";
  const std::string err = scratch / "stderr";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  Outcome outcome;
  pid_t child = -1;
  if (posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    if (waitpid(child, &status, 0) == child && WIFEXITED(status)) outcome.exit_code = WEXITSTATUS(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  outcome.out = ReadBytes(out);
  outcome.err = ReadBytes(err);
  return outcome;
}

bool Exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

TEST(ConverterStandIn, WritesTheThreeFilesBesideTheCourseFile) {
  ScratchDirectory scratch;
  ASSERT_EQ(mkdir((scratch / "courses").c_str(), 0755), 0);
  const std::string content("line one\nline two\n\0\xFF last", 25);
  ASSERT_TRUE(WriteBytes(scratch / "courses/Intro.ZUL", content));

  const Outcome outcome = RunConverter(scratch, {scratch / "courses/Intro.ZUL"});
  EXPECT_EQ(outcome.exit_code, 0) << outcome.err;
  EXPECT_EQ(outcome.out, "vizozava: " + scratch / "courses/Intro.ZUL" + " -> Intro.DAT, Intro.TXT, Intro.ANS\n");
  EXPECT_EQ(ReadBytes(scratch / "courses/Intro.DAT"), content);
  const std::string report = ReadBytes(scratch / "courses/Intro.TXT");
  EXPECT_NE(report.find(scratch / "courses/Intro.ZUL"), std::string::npos) << report;
  EXPECT_NE(report.find("size: 25 bytes"), std::string::npos) << report;
  EXPECT_NE(report.find("lines: 3"), std::string::npos) << report;
  EXPECT_TRUE(Exists(scratch / "courses/Intro.ANS"));
  EXPECT_EQ(ReadBytes(scratch / "courses/Intro.ANS"), "");
}

TEST(ConverterStandIn, JoinsWordsOfAPathWithBlanksAndFallsBackToTheFirstWord) {
  ScratchDirectory scratch;
  ASSERT_EQ(mkdir((scratch / "my files").c_str(), 0755), 0);
  ASSERT_TRUE(WriteBytes(scratch / "my files/A B.ZUL", ""));
  ASSERT_TRUE(WriteBytes(scratch / "C.ZUL", "one line"));

  Outcome outcome = RunConverter(scratch, {scratch / "my", "files/A", "B.ZUL"});
  EXPECT_EQ(outcome.exit_code, 0) << outcome.err;
  EXPECT_TRUE(Exists(scratch / "my files/A B.DAT"));
  EXPECT_NE(ReadBytes(scratch / "my files/A B.TXT").find("lines: 0"), std::string::npos);

  outcome = RunConverter(scratch, {scratch / "C.ZUL", "stray", "words"});
  EXPECT_EQ(outcome.exit_code, 0) << outcome.err;
  EXPECT_EQ(ReadBytes(scratch / "C.DAT"), "one line");
  EXPECT_NE(ReadBytes(scratch / "C.TXT").find("lines: 1"), std::string::npos);
}

TEST(ConverterStandIn, FailsWithAMessageWhenItHasNothingToConvertOrCannotWrite) {
  ScratchDirectory scratch;
  Outcome outcome = RunConverter(scratch, {});
  EXPECT_EQ(outcome.exit_code, 1);
  EXPECT_NE(outcome.err, "");
  EXPECT_EQ(outcome.out, "");

  outcome = RunConverter(scratch, {scratch / "missing.ZUL"});
  EXPECT_EQ(outcome.exit_code, 1);
  EXPECT_NE(outcome.err.find("missing.ZUL"), std::string::npos) << outcome.err;
  EXPECT_FALSE(Exists(scratch / "missing.DAT"));

  ASSERT_EQ(mkdir((scratch / "folder.ZUL").c_str(), 0755), 0);
  EXPECT_EQ(RunConverter(scratch, {scratch / "folder.ZUL"}).exit_code, 1);
  EXPECT_FALSE(Exists(scratch / "folder.DAT"));

  if (geteuid() != 0) {
    ASSERT_EQ(mkdir((scratch / "readonly").c_str(), 0755), 0);
    ASSERT_TRUE(WriteBytes(scratch / "readonly/R.ZUL", "r"));
    ASSERT_EQ(chmod((scratch / "readonly").c_str(), 0555), 0);
    outcome = RunConverter(scratch, {scratch / "readonly/R.ZUL"});
    EXPECT_EQ(outcome.exit_code, 1);
    EXPECT_NE(outcome.err.find("R.DAT"), std::string::npos) << outcome.err;
  }
}

// As `make run` places it: in the working directory, under the converter's name.
TEST(ConverterStandIn, IsFoundAndRunByTheChoosersCommandLine) {
  ScratchDirectory scratch;
  ASSERT_TRUE(WriteBytes(scratch / "A.ZUL", "a\nb\n"));
  ASSERT_EQ(symlink(ProgramBesideTests("../demo/vizozava-demo").c_str(), (scratch / "vizozava").c_str()), 0);
  ASSERT_TRUE(ChangeWorkingDirectory(scratch.Path()));
  // The stand-in's report goes to the test's own output; the files are what is checked.
  ASSERT_TRUE(StartAndWait("vizozava   A.ZUL"));
  EXPECT_EQ(ReadBytes(scratch / "A.DAT"), "a\nb\n");
  EXPECT_NE(ReadBytes(scratch / "A.TXT").find("lines: 2"), std::string::npos);
  EXPECT_TRUE(Exists(scratch / "A.ANS"));
}

}  // namespace
}  // namespace zul
