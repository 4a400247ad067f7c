#include "win32/control_events.h"

#include <gtest/gtest.h>

#include <vector>

#include "device/input_events.h"
#include "device/private_input_flags.h"

namespace zul {
namespace {

TEST(AnswerControlEvent, RunsOutliveCtrlCAndCtrlBreakDialogsTakeCtrlCAsTheirKey) {
  using enum ControlEvent;
  using enum ControlEventAnswer;
  constexpr uint32_t kDialog = input_mode::kMouse | input_mode::kExtendedFlags;  // processed input off
  constexpr uint32_t kChild = input_mode::kProcessed | input_mode::kLine | input_mode::kEcho;
  struct Case {
    ControlEvent event;
    bool converter_running;
    uint32_t input_mode;
    ControlEventAnswer answer;
  };
  const Case cases[] = {
      {kCtrlC, true, kChild, kIgnore},      {kCtrlBreak, true, kChild, kIgnore},
      {kCtrlC, true, kDialog, kIgnore},     {kOther, true, kChild, kPassOn},
      {kCtrlC, false, kDialog, kTypeCtrlC}, {kCtrlC, false, input_mode::kMouse, kTypeCtrlC},
      {kCtrlC, false, kChild, kPassOn},     {kCtrlBreak, false, kDialog, kPassOn},
      {kOther, false, kDialog, kPassOn},
  };
  for (const Case& c : cases)
    EXPECT_EQ(AnswerControlEvent(c.event, c.converter_running, c.input_mode), c.answer)
        << static_cast<int>(c.event) << " running " << c.converter_running << " mode " << c.input_mode;
}

// A dialog reads the mode, sets its own and sets the one it read again: quick edit must
// come back as the console had it, though a plain mode such as 16 hides it.
TEST(PrivateInputFlags, AModeReadBackSaysQuickEditAsLastTold) {
  using namespace input_mode;
  constexpr uint32_t kNewConsole = 0x01F7;  // as Windows reports it: quick edit and insert on
  constexpr uint32_t kDialog = kMouse | kExtendedFlags;
  struct Case {
    std::vector<uint32_t> told;  // read at start or set, in this order
    uint32_t read, read_back;
  };
  const Case cases[] = {
      {{}, kMouse, kMouse},                                         // nothing told (wine)
      {{kNewConsole, 0, kMouse}, kMouse, kMouse | 0x01E0},          // on at start, hidden by 16
      {{kNewConsole, kDialog}, kMouse, kDialog},                    // a dialog turned it off
      {{kNewConsole, kDialog, kNewConsole}, 0, 0x01E0},             // and it came back on
      {{kNewConsole}, kDialog | kQuickEdit, kDialog | kQuickEdit},  // reported: as read
  };
  for (const Case& c : cases) {
    PrivateInputFlags known;
    for (uint32_t mode : c.told) known = NotePrivateFlags(known, mode);
    EXPECT_EQ(WithPrivateFlags(c.read, known), c.read_back) << c.read;
  }
}

}  // namespace
}  // namespace zul
