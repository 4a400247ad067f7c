#include "chooser/run_sequence.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "system/system.h"
#include "tests/support/chooser_world.h"

namespace zul {
namespace {

using ::testing::ElementsAreArray;

class RunSequenceTest : public ::testing::Test, protected testing::ChooserWorld {
 protected:
  RunSequenceTest() : ChooserWorld({120, 40}, {200, 100}) {}
};

TEST_F(RunSequenceTest, SetUpShapesTheWindowInOrder) {
  log.clear();
  RunState state;
  int instance = 0;
  SetUpWindow(state, services, &instance);
  const std::vector<std::string> expected = {
      "InitConsoleTools(instance, 128, 32, 3, &0, 0)",
      "ConsoleToolBar(0, 99)",
      "ConsoleMove(32767, 32767)",
      "SetInputMode(16)",
      "SetTextAttribute(0x2e)",
      "SetCursorInfo(25,hidden)",
      "FillCells(0,0,4800,0x2e)",
      "SetCursorInfo(25,shown)",
      "SetBufferSize(120x40)",
      "SetWindowRect(80x25)",
      "SetBufferSize(80x25)",
      "SetTextAttribute(0xf0)",
      "SetCursorInfo(25,hidden)",
      "FillCells(0,0,2000,0xf0)",
      "SetCursorInfo(25,shown)",
      "ConsoleIcon(32519)",
      "ConsoleTitle(\"converter: .ZUL files to .DAT, .TXT and .ANS files\")",
      "DeleteWindowMenuItem(61536)",
      "DeleteWindowMenuItem(61472)",
      "DeleteWindowMenuItem(61440)",
      "DeleteWindowMenuItem(61488)",
      "DefaultWindowMenu()",
      "DeleteWindowMenuItem(61472)",
      "DeleteWindowMenuItem(61440)",
      "DeleteWindowMenuItem(61488)",
      "SetTitle(\"Select zul files for conversion\")",
      "SetBufferSize(80x30)",
      "SetWindowRect(80x30)",
      "SetBufferSize(80x30)",
      "SetTextAttribute(0xf0)",
      "SetCursorInfo(25,hidden)",
      "FillCells(0,0,2400,0xf0)",
      "SetCursorInfo(25,shown)",
  };
  EXPECT_THAT(log, ElementsAreArray(expected));

  EXPECT_EQ(state.startup_directory, ReadWorkingDirectory());
  EXPECT_FALSE(state.startup_directory.empty());
  EXPECT_EQ(console.Size(), (Coord{80, 30}));
  EXPECT_EQ(console.Window(), (InclusiveRect{0, 0, 79, 29}));
  EXPECT_EQ(console.At({79, 29}), (Cell{' ', 0xF0}));
  EXPECT_EQ(console.Title(), "Select zul files for conversion");
  EXPECT_EQ(console.InputMode(), 16u);
}

TEST_F(RunSequenceTest, AWholeRunEndsWithExitCodeZero) {
  EXPECT_EQ(RunChooser(services, nullptr), 0);
  EXPECT_EQ(console.Size(), (Coord{80, 30}));
}

}  // namespace
}  // namespace zul
