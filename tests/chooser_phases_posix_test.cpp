// The chooser's phases against a recording console-tools library, the virtual
// console and real temporary directories.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "chooser/converter_runs.h"
#include "chooser/course_file_table.h"
#include "chooser/directory_prompt.h"
#include "chooser/file_selection.h"
#include "system/system.h"
#include "tests/support/chooser_world.h"
#include "tests/support/row_text.h"

namespace zul {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

class PhaseTest : public ::testing::Test, protected testing::ChooserWorld {
 protected:
  PhaseTest() : ChooserWorld({80, 30}, {80, 30}) {}
  void SetUp() override {
    original_ = fs::current_path();
    char pattern[] = "/tmp/zul-phase-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = fs::canonical(pattern);
    fs::current_path(dir_);
    screen.SetSize(80, 30);
    screen.SetColour(0, 15);
    screen.Clear();
    log.clear();
  }
  void TearDown() override {
    fs::current_path(original_);
    fs::remove_all(dir_);
  }
  void Touch(const fs::path& name) { std::ofstream(dir_ / name) << "x"; }
  std::string CellRow(int y, int length) { return testing::RowText(console, y, 0, length); }

  fs::path original_;
  fs::path dir_;
  RunState state;
};

TEST_F(PhaseTest, PromptWritesTheExplanationAndAsksInTheInputBox) {
  library.answers = {""};
  PromptForCourseDirectory(state, services);
  EXPECT_THAT(std::vector<std::string>(log.begin(), log.begin() + 3),
              ElementsAre("LocOfRow(15)", "LocOfCol(40)",
                          "ConsoleInputBox(33, 400, 1500, \"Change default directory for .ZUL course files? \", "
                          "\"<Cancel> accepts program's directory\", null, 1, 32768)"));
  EXPECT_EQ(state.course_directory_prefix, "");
  EXPECT_EQ(fs::current_path(), dir_);
  // The answer is followed by a clear.
  EXPECT_EQ(CellRow(1, 10), std::string(10, ' '));
}

TEST_F(PhaseTest, PromptExplanationRowsAndColour) {
  // An input box that records the screen when it is asked.
  struct Peek : testing::RecordingConsoleTools {
    using RecordingConsoleTools::RecordingConsoleTools;
    VirtualConsole* console = nullptr;
    std::vector<std::string> rows;
    uint16_t attribute = 0;
    ByteString ConsoleInputBox(int32_t, int32_t, int32_t, const char*, const char*, const char*, int32_t,
                               int32_t) override {
      for (int y = 0; y < 8; ++y) rows.push_back(testing::RowText(*console, y, 0, 56));
      attribute = console->At({2, 1}).attribute;
      return nullptr;
    }
  } peek(log);
  peek.console = &console;
  ConsoleToolsAdapter peek_tools(peek);
  PhaseServices peek_services{screen, peek_tools, lender, Utf8CodePage()};
  PromptForCourseDirectory(state, peek_services);
  auto pad = [](std::string s) { return s.append(56 - s.size(), ' '); };
  EXPECT_THAT(peek.rows, ElementsAre(pad(""), pad("  If your .ZUL files are not on the same path (folder)"),
                                     pad("  as the program files then specify where they are:"), pad(""),
                                     pad("       example: c:\\mydirectory\\myfiles\\"), pad(""),
                                     pad(" The change will be made only if the path exists."), pad("")));
  EXPECT_EQ(peek.attribute, 0xF0);
  EXPECT_EQ(console.Cursor(), (Coord{0, 0}));
}

TEST_F(PhaseTest, PromptChangesIntoAnExistingDirectoryAndKeepsThePrefix) {
  fs::create_directory(dir_ / "courses");
  const std::string answer = (dir_ / "courses").string();
  library.answers = {"  " + answer + "   "};
  PromptForCourseDirectory(state, services);
  EXPECT_EQ(fs::current_path(), dir_ / "courses");
  EXPECT_EQ(state.course_directory_prefix, answer + "/");
}

TEST_F(PhaseTest, PromptAppendsASeparatorEvenAfterOne) {
  fs::create_directory(dir_ / "sub");
  library.answers = {"sub/"};
  PromptForCourseDirectory(state, services);
  EXPECT_EQ(fs::current_path(), dir_ / "sub");
  EXPECT_EQ(state.course_directory_prefix, "sub//");
}

TEST_F(PhaseTest, PromptChangesNothingForBadAnswers) {
  fs::create_directory(dir_ / "real");
  Touch("file.zul");
  for (const std::string& answer :
       {std::string("   "), std::string("nothere"), std::string("real/*.zul"), std::string("re?l"),
        std::string("file.zul"), std::string(32768, 'x'), std::string("real\0x", 6), std::string("\t")}) {
    library.answers = {answer};
    PromptForCourseDirectory(state, services);
    EXPECT_EQ(fs::current_path(), dir_) << answer.substr(0, 20);
    EXPECT_EQ(state.course_directory_prefix, "") << answer.substr(0, 20);
  }
}

TEST_F(PhaseTest, CourseFilesAreUpperCasedSortedAndPacked) {
  Touch("b.zul");
  Touch("A.ZUL");
  Touch("c.Zul");
  Touch(".hidden.zul");
  fs::create_directory(dir_ / "x.zul");
  Touch("y.zulu");
  Touch("z.ZUL.txt");
  BuildCourseFileTable(state, services);
  EXPECT_EQ(state.course_file_count, 3);
  EXPECT_EQ(state.course_files[1], "A.ZUL");
  EXPECT_EQ(state.course_files[2], "B.ZUL");
  EXPECT_EQ(state.course_files[3], "C.ZUL");
  EXPECT_EQ(state.course_files[4], "");
  EXPECT_EQ(state.course_files_on_disk[2], "b.zul");
  EXPECT_EQ(state.course_files_on_disk[3], "c.Zul");
  EXPECT_EQ(CellRow(0, 10), std::string(10, ' '));  // no notice
}

TEST_F(PhaseTest, NamesOrderByByteValue) {
  for (const char* name : {"9.ZUL", "10.ZUL", "A_B.ZUL", "AB.ZUL", "A.ZUL"}) Touch(name);
  BuildCourseFileTable(state, services);
  EXPECT_EQ(state.course_file_count, 5);
  EXPECT_THAT(std::vector<std::string>(state.course_files.begin(), state.course_files.begin() + 5),
              ElementsAre("10.ZUL", "9.ZUL", "A.ZUL", "AB.ZUL", "A_B.ZUL"));
}

TEST_F(PhaseTest, NoCourseFilesGivesTheNoticeAndAnEmptyTable) {
  Touch("notes.txt");
  BuildCourseFileTable(state, services);
  EXPECT_EQ(state.course_file_count, 1);
  EXPECT_EQ(state.course_files[1], "");
  EXPECT_EQ(CellRow(0, 60), "                                    There are no .ZUL files ");
  EXPECT_EQ(CellRow(1, 60), "                                    in this directory!!     ");
  EXPECT_EQ(console.At({40, 0}).attribute, 0xFC);
  EXPECT_EQ(console.At({40, 1}).attribute, 0xFC);
  EXPECT_EQ(console.Cursor(), (Coord{0, 3}));
  EXPECT_EQ(console.Attribute(), 0xF0);
}

// Beyond what the table holds: the first 1000 names in the table's order, not
// the listing's, each with its spelling on disk (a lower-case twin of the first
// name sorts after it), and a notice with both numbers where the one for no
// course files goes.
TEST_F(PhaseTest, MoreThanAThousandCourseFilesKeepTheFirstThousandAndSaySo) {
  const std::string indent(36, ' ');
  for (const int numbered : {999, 1499}) {
    fs::remove_all(dir_);
    fs::create_directory(dir_);
    fs::current_path(dir_);
    screen.Clear();
    char name[32];
    for (int i = numbered; i >= 1; --i) {
      snprintf(name, sizeof name, i % 2 ? "COURSE%04d.ZUL" : "course%04d.zul", i);
      Touch(name);
    }
    Touch("course0001.zul");
    BuildCourseFileTable(state, services);
    EXPECT_EQ(state.course_file_count, 1000);
    EXPECT_EQ(state.course_files_on_disk[2], "course0001.zul");
    for (int i = 3; i <= 1000; ++i) {
      snprintf(name, sizeof name, i % 2 ? "course%04d.zul" : "COURSE%04d.ZUL", i - 1);
      ASSERT_EQ(state.course_files_on_disk[i], name) << numbered;
    }
    const bool more = numbered == 1499;
    EXPECT_EQ(CellRow(0, 74), more ? indent + "Only the first 1000 of 1500 .ZUL files" : std::string(74, ' '));
    EXPECT_EQ(CellRow(1, 48), more ? indent + "are listed!!" : std::string(48, ' '));
    EXPECT_EQ(console.At({40, 1}).attribute, more ? 0xFC : 0xF0);
    EXPECT_EQ(console.Cursor(), (Coord{0, static_cast<int16_t>(more ? 3 : 0)}));
  }
}

// Back in the start-up directory, each converter run has the console lent to it:
// one lending a chosen name, in order.
TEST_F(PhaseTest, EachConverterRunHasTheConsoleLentToIt) {
  struct RecordingLender : ConsoleLender {
    std::vector<fs::path> lent_in;
    void RunHandedToChild(const std::function<void()>&) override { lent_in.push_back(fs::current_path()); }
  } recording;
  fs::create_directory(dir_ / "courses");
  fs::current_path(dir_ / "courses");
  state.startup_directory = dir_.string();
  state.chosen_names[1] = "A.ZUL";
  state.chosen_names[2] = "B.ZUL";
  state.chosen_count = 2;
  PhaseServices lending{screen, tools, recording, Utf8CodePage()};
  RunConverterOnEachChoice(state, lending);
  EXPECT_THAT(recording.lent_in, ElementsAre(dir_, dir_));
}

TEST(SplitSelection, StoresTrimmedFieldsAndCountsTheNonEmpty) {
  ChosenNameTable chosen;
  int16_t count = -1;
  SplitSelection(std::string("A.ZUL\0C.ZUL", 11), 4, chosen, count);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(chosen[1], "A.ZUL");
  EXPECT_EQ(chosen[2], "C.ZUL");
  EXPECT_EQ(chosen[3], "");
  EXPECT_EQ(chosen[4], "");

  ChosenNameTable trailing;
  SplitSelection(std::string(" A.ZUL \0", 8), 2, trailing, count);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(trailing[1], "A.ZUL");

  ChosenNameTable empty;
  SplitSelection("", 2, empty, count);
  EXPECT_EQ(count, 0);
}

TEST(SplitSelection, NeverWritesPastTheTable) {
  std::string selection;
  for (int i = 0; i < 1000; ++i) selection += (i ? std::string(1, '\0') : "") + "N" + std::to_string(i);
  ChosenNameTable chosen;
  int16_t count = 0;
  SplitSelection(selection, 1001, chosen, count);
  EXPECT_EQ(count, 1000);
  EXPECT_EQ(chosen[1000], "N999");
}

TEST(ConverterCommandLine, IsTheConverterThreeBlanksPrefixAndName) {
  EXPECT_EQ(ConverterCommandLine("d:\\courses\\", "A.ZUL"), "vizozava   d:\\courses\\A.ZUL");
  EXPECT_EQ(ConverterCommandLine("", "A.ZUL"), "vizozava   A.ZUL");
  EXPECT_EQ(ConverterCommandLine("/my files/", "B.ZUL"), "vizozava   /my files/B.ZUL");
}

// The spelling on disk of the very entry marked: names that upper-case alike in
// turn, and a name with a leading blank never the file without it.
TEST(ConverterFileName, IsTheOnDiskSpellingOfTheEntryMarked) {
  RunState state;
  const char* listing[][2] = {{" MIXED.ZUL", " Mixed.zul"},
                              {"A.ZUL", "A.zul"},
                              {"A.ZUL", "a.zul"},
                              {"B.ZUL", "b.Zul"},
                              {"MIXED.ZUL", "MIXED.ZUL"}};
  for (const auto& [listed, on_disk] : listing) {
    ++state.course_file_count;
    state.course_files[state.course_file_count] = listed;
    state.course_files_on_disk[state.course_file_count] = on_disk;
  }
  state.selection = std::string("A.ZUL\0A.ZUL\0B.ZUL\0 MIXED.ZUL\0MIXED.ZUL", 38);
  SplitSelection(state.selection, 6, state.chosen_names, state.chosen_count);
  const Text expected[] = {"A.zul", "a.zul", "b.Zul", " Mixed.zul", "MIXED.ZUL"};
  for (int j = 1; j <= 5; ++j) EXPECT_EQ(ConverterFileName(state, j), expected[j - 1]) << j;
  EXPECT_EQ(ConverterCommandLine("/c/", ConverterFileName(state, 4)), "vizozava   /c/ Mixed.zul");
}

}  // namespace
}  // namespace zul
