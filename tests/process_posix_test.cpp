#include "system/process_posix.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <vector>

#include "system/command_line.h"
#include "system/directory.h"
#include "system/process.h"
#include "tests/support/scratch_directory_posix.h"

namespace zul {
namespace {

using testing::ProgramBesideTests;
using testing::ReadBytes;
using testing::ScratchDirectory;
using testing::WriteBytes;

const char kRecorder[] = "zul_argument_recorder";

void MakeProgram(const std::string& path, mode_t mode = 0755) {
  ASSERT_TRUE(WriteBytes(path, "#!/bin/sh\nexit 0\n")) << path;
  ASSERT_EQ(chmod(path.c_str(), mode), 0);
}

// --- Finding the program ---

TEST(FindProgram, LooksInTheOwnDirectoryThenTheWorkingDirectoryThenThePath) {
  ScratchDirectory scratch;
  for (const char* folder : {"own", "work", "p1", "p2"}) ASSERT_EQ(mkdir((scratch / folder).c_str(), 0755), 0);
  for (const char* folder : {"own", "work", "p1", "p2"}) MakeProgram(scratch / folder + "/prog");
  const std::string own = scratch / "own";
  const std::string work = scratch / "work";
  const std::string path = scratch / "p1" + ":" + scratch / "p2";

  EXPECT_EQ(FindProgram("prog", own, work, path), own + "/prog");
  ASSERT_EQ(unlink((own + "/prog").c_str()), 0);
  EXPECT_EQ(FindProgram("prog", own, work, path), work + "/prog");
  ASSERT_EQ(unlink((work + "/prog").c_str()), 0);
  EXPECT_EQ(FindProgram("prog", own, work, path), scratch / "p1/prog");
  EXPECT_EQ(FindProgram("prog", own, work, "::" + scratch / "p2" + ":" + scratch / "p1"), scratch / "p2/prog");
  EXPECT_EQ(FindProgram("prog", "", "", path), scratch / "p1/prog");
  EXPECT_EQ(FindProgram("prog", own, work, ""), "");
  EXPECT_EQ(FindProgram("", own, work, path), "");
  EXPECT_EQ(FindProgram("missing", own, work, path), "");
}

TEST(FindProgram, SkipsWhatCannotBeRun) {
  ScratchDirectory scratch;
  for (const char* folder : {"own", "work", "p1"}) ASSERT_EQ(mkdir((scratch / folder).c_str(), 0755), 0);
  MakeProgram(scratch / "own/prog", 0644);                     // not executable
  ASSERT_EQ(mkdir((scratch / "work/prog").c_str(), 0755), 0);  // a directory
  MakeProgram(scratch / "p1/prog");
  EXPECT_EQ(FindProgram("prog", scratch / "own", scratch / "work", scratch / "p1"), scratch / "p1/prog");

  // A link to a program counts; a dangling link does not.
  ASSERT_EQ(symlink((scratch / "p1/prog").c_str(), (scratch / "own/linked").c_str()), 0);
  ASSERT_EQ(symlink("nowhere", (scratch / "own/dangling").c_str()), 0);
  EXPECT_EQ(FindProgram("linked", scratch / "own", "", ""), scratch / "own/linked");
  EXPECT_EQ(FindProgram("dangling", scratch / "own", "", ""), "");
  // No ".exe" is implied.
  MakeProgram(scratch / "p1/tool.exe");
  EXPECT_EQ(FindProgram("tool", "", "", scratch / "p1"), "");
}

TEST(FindProgram, PassesOverAProgramThatAnotherUserCouldHavePutBesideTheChooserOrInTheWorkingDirectory) {
  ScratchDirectory scratch;
  for (const char* folder : {"shared", "safe", "p1"}) ASSERT_EQ(mkdir((scratch / folder).c_str(), 0755), 0);
  ASSERT_EQ(chmod((scratch / "shared").c_str(), 0777), 0);
  for (const char* program : {"shared/prog", "safe/real", "p1/prog", "p1/linked", "p1/second"}) {
    MakeProgram(scratch / program);
  }
  const std::string shared = scratch / "shared";
  const std::string safe = scratch / "safe";
  EXPECT_EQ(FindProgram("prog", shared, "", scratch / "p1"), scratch / "p1/prog");
  EXPECT_EQ(FindProgram("prog", "", shared, scratch / "p1"), scratch / "p1/prog");
  // A link or a second name counts by the place it lies in and by the file it leads to.
  ASSERT_EQ(symlink((safe + "/real").c_str(), (shared + "/linked").c_str()), 0);
  ASSERT_EQ(link((safe + "/real").c_str(), (shared + "/second").c_str()), 0);
  ASSERT_EQ(symlink((shared + "/prog").c_str(), (safe + "/linked").c_str()), 0);
  for (const char* name : {"linked", "second"}) {
    EXPECT_EQ(FindProgram(name, shared, safe, scratch / "p1"), scratch / "p1/" + name) << name;
  }
  EXPECT_EQ(FindProgram("real", shared, safe, ""), safe + "/real");
  // The path is the user's choice.
  EXPECT_EQ(FindProgram("prog", "", "", shared), shared + "/prog");
}

TEST(FindProgram, PassesOverAProgramOfAnotherUserOrInAFolderOfAnotherGroup) {
  if (geteuid() != 0) GTEST_SKIP() << "only root can give a file to another user";
  const group* roots = getgrgid(0);
  if (roots == nullptr || roots->gr_mem[0] != nullptr) GTEST_SKIP() << "root's group is not root's alone";
  ScratchDirectory scratch;
  ASSERT_EQ(mkdir((scratch / "own").c_str(), 0755), 0);
  MakeProgram(scratch / "own/prog");
  const passwd* nobody = getpwnam("nobody");
  ASSERT_NE(nobody, nullptr);
  ASSERT_EQ(chown((scratch / "own/prog").c_str(), nobody->pw_uid, nobody->pw_gid), 0);
  EXPECT_EQ(FindProgram("prog", scratch / "own", "", ""), "");
  ASSERT_EQ(chown((scratch / "own/prog").c_str(), 0, 0), 0);
  EXPECT_EQ(FindProgram("prog", scratch / "own", "", ""), scratch / "own/prog");
  // A folder its group may write to counts only when that group is root's own.
  ASSERT_EQ(chmod((scratch / "own").c_str(), 0775), 0);
  EXPECT_EQ(FindProgram("prog", scratch / "own", "", ""), scratch / "own/prog");
  ASSERT_EQ(chown((scratch / "own").c_str(), 0, nobody->pw_gid), 0);
  EXPECT_EQ(FindProgram("prog", scratch / "own", "", ""), "");
}

TEST(FindProgram, TakesAWordWithASlashAsAPathFromTheWorkingDirectory) {
  ScratchDirectory scratch;
  for (const char* folder : {"own", "work", "work/bin", "own/bin"}) {
    ASSERT_EQ(mkdir((scratch / folder).c_str(), 0755), 0);
  }
  MakeProgram(scratch / "own/bin/prog");
  MakeProgram(scratch / "work/bin/prog");
  EXPECT_EQ(FindProgram("bin/prog", scratch / "own", scratch / "work", ""), scratch / "work/bin/prog");
  EXPECT_EQ(FindProgram("./bin/prog", scratch / "own", scratch / "own", ""), scratch / "own/./bin/prog");
  EXPECT_EQ(FindProgram(scratch / "own/bin/prog", "", scratch / "work", ""), scratch / "own/bin/prog");
  EXPECT_EQ(FindProgram("prog/", scratch / "own/bin", "", ""), "");
  EXPECT_EQ(FindProgram("x/prog", scratch / "own", scratch / "work", scratch / "work/bin"), "");
}

// --- Starting and waiting ---

// One start as the recorder saw it.
struct RecordedRun {
  std::string sigint;
  std::string sigquit;
  std::string masked;
  std::vector<std::string> argv;
};

// The recorder's log cut into runs; a run without its "end" is kept with what it has.
std::vector<RecordedRun> ReadRuns(const std::string& log) {
  std::vector<std::string> items;
  const std::string bytes = ReadBytes(log);
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t zero = bytes.find('\0', start);
    items.push_back(bytes.substr(start, zero - start));
    start = zero == std::string::npos ? bytes.size() : zero + 1;
  }
  std::vector<RecordedRun> runs;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i] != "begin") continue;
    RecordedRun run;
    if (i + 4 >= items.size()) {
      runs.push_back(run);
      continue;
    }
    run.sigint = items[i + 1];
    run.sigquit = items[i + 2];
    run.masked = items[i + 3];
    const int argc = std::atoi(items[i + 4].c_str() + 5);
    for (int k = 0; k < argc && i + 5 + k < items.size(); ++k) run.argv.push_back(items[i + 5 + k]);
    const std::size_t end = i + 5 + static_cast<std::size_t>(argc);
    if (end >= items.size() || items[end] != "end") run.argv.push_back("<no end>");
    runs.push_back(run);
  }
  return runs;
}

// A scratch directory as the working directory, with the recorder's log in it.
class StartAndWaitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ChangeWorkingDirectory(scratch_.Path()));
    log_ = scratch_ / "log";
    setenv("ZUL_RECORDER_LOG", log_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("ZUL_RECORDER_LOG");
    unsetenv("ZUL_RECORDER_PAUSE_MS");
    unsetenv("ZUL_RECORDER_INTERRUPT_PARENT");
  }

  ScratchDirectory scratch_;
  std::string log_;
};

TEST_F(StartAndWaitTest, FindsTheProgramBesideTheChooserAndPassesTheWordsUnchanged) {
  ASSERT_TRUE(StartAndWait(std::string(kRecorder) + "   d:\\courses\\A.ZUL \"my files\\B.ZUL\""));
  const std::vector<RecordedRun> runs = ReadRuns(log_);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].argv, (std::vector<std::string>{kRecorder, "d:\\courses\\A.ZUL", "my files\\B.ZUL"}));
}

TEST_F(StartAndWaitTest, RunsEachProgramToItsEndBeforeReturning) {
  setenv("ZUL_RECORDER_PAUSE_MS", "300", 1);
  const auto started = std::chrono::steady_clock::now();
  ASSERT_TRUE(StartAndWait(ProgramBesideTests(kRecorder) + " first"));
  // The run has ended when the call returns: its record is complete.
  std::vector<RecordedRun> runs = ReadRuns(log_);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].argv.back(), "first");
  ASSERT_TRUE(StartAndWait(ProgramBesideTests(kRecorder) + " second"));
  EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(600));
  runs = ReadRuns(log_);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].argv.back(), "first");
  EXPECT_EQ(runs[1].argv.back(), "second");
}

TEST_F(StartAndWaitTest, ReturnsFalseWhenNothingCanBeStarted) {
  ASSERT_TRUE(WriteBytes(scratch_ / "notexec", "#!/bin/sh\nexit 0\n"));
  ASSERT_EQ(chmod((scratch_ / "notexec").c_str(), 0644), 0);
  ASSERT_TRUE(WriteBytes(scratch_ / "garbage", std::string("\x7F"
                                                           "ELF-not-really",
                                                           15)));
  ASSERT_EQ(chmod((scratch_ / "garbage").c_str(), 0755), 0);

  EXPECT_FALSE(StartAndWait("zul-no-such-program-anywhere   A.ZUL"));
  EXPECT_FALSE(StartAndWait(scratch_ / "missing/prog"));
  EXPECT_FALSE(StartAndWait("./notexec"));
  EXPECT_FALSE(StartAndWait(scratch_.Path()));
  EXPECT_FALSE(StartAndWait("./garbage"));
  EXPECT_FALSE(StartAndWait(""));
  EXPECT_FALSE(StartAndWait(" "));
  EXPECT_FALSE(StartAndWait(Text("\0", 1) + kRecorder));
  EXPECT_TRUE(ReadRuns(log_).empty());
}

TEST_F(StartAndWaitTest, CutsTheLineTo256BytesAndAtAZeroByteBeforeSplittingIt) {
  const std::string head = std::string(kRecorder) + " a \"b c ";
  const std::string line = head + std::string(300 - head.size(), 'x');
  ASSERT_TRUE(StartAndWait(line));
  ASSERT_TRUE(StartAndWait(std::string(kRecorder) + " one" + std::string("\0", 1) + " two"));
  const std::vector<RecordedRun> runs = ReadRuns(log_);
  ASSERT_EQ(runs.size(), 2u);
  // The unclosed quote runs to the cut.
  ASSERT_EQ(runs[0].argv.size(), 3u);
  EXPECT_EQ(runs[0].argv[2], "b c " + std::string(kMaxCommandLine - head.size(), 'x'));
  EXPECT_EQ(runs[1].argv, (std::vector<std::string>{kRecorder, "one"}));
}

TEST_F(StartAndWaitTest, HandsShellCharactersToTheProgramWithoutRunningAnything) {
  const std::string line =
      std::string(kRecorder) + " $HOME ; touch pwned `touch tick` $(touch dollar) 'q r' \"a;b|c\" >out <in && x*";
  ASSERT_TRUE(StartAndWait(line));
  const std::vector<RecordedRun> runs = ReadRuns(log_);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].argv,
            (std::vector<std::string>{kRecorder, "$HOME", ";", "touch", "pwned", "`touch", "tick`", "$(touch",
                                      "dollar)", "'q", "r'", "a;b|c", ">out", "<in", "&&", "x*"}));
  for (const char* name : {"pwned", "tick", "dollar", "out", "in"}) {
    EXPECT_NE(access((scratch_ / name).c_str(), F_OK), 0) << name;
  }
}

int interrupts_seen = 0;
void CountInterrupt(int) { ++interrupts_seen; }
int quits_seen = 0;
void CountQuit(int) { ++quits_seen; }

TEST_F(StartAndWaitTest, KeepsTerminalSignalsOffTheChooserButNotOffTheChild) {
  // 1. The chooser has its own SIGINT and SIGQUIT handlers and blocks SIGUSR1.
  struct sigaction counting {};
  counting.sa_handler = CountInterrupt;
  sigemptyset(&counting.sa_mask);
  struct sigaction counting_quits = counting;
  counting_quits.sa_handler = CountQuit;
  struct sigaction old_interrupt {
  }, old_quit{};
  ASSERT_EQ(sigaction(SIGINT, &counting, &old_interrupt), 0);
  ASSERT_EQ(sigaction(SIGQUIT, &counting_quits, &old_quit), 0);
  sigset_t user, old_mask;
  sigemptyset(&user);
  sigaddset(&user, SIGUSR1);
  ASSERT_EQ(sigprocmask(SIG_BLOCK, &user, &old_mask), 0);
  interrupts_seen = 0;
  quits_seen = 0;

  // 2. The child interrupts the chooser while it waits.
  setenv("ZUL_RECORDER_INTERRUPT_PARENT", "1", 1);
  const bool started = StartAndWait(kRecorder);

  struct sigaction after_interrupt {
  }, after_quit{};
  sigaction(SIGINT, nullptr, &after_interrupt);
  sigaction(SIGQUIT, nullptr, &after_quit);
  sigaction(SIGINT, &old_interrupt, nullptr);
  sigaction(SIGQUIT, &old_quit, nullptr);
  sigprocmask(SIG_SETMASK, &old_mask, nullptr);

  // 3. The chooser was not interrupted and has its dispositions back; the child started with
  //    the defaults and nothing blocked.
  ASSERT_TRUE(started);
  EXPECT_EQ(interrupts_seen, 0);
  EXPECT_EQ(quits_seen, 0);
  EXPECT_EQ(after_interrupt.sa_handler, &CountInterrupt);
  EXPECT_EQ(after_quit.sa_handler, &CountQuit);
  const std::vector<RecordedRun> runs = ReadRuns(log_);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].sigint, "sigint=default");
  EXPECT_EQ(runs[0].sigquit, "sigquit=default");
  EXPECT_EQ(runs[0].masked, "masked=0");
}

}  // namespace
}  // namespace zul
