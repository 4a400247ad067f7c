#include "console/control_events.h"

#include <gtest/gtest.h>

#include "console/console_device.h"

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

}  // namespace
}  // namespace zul
