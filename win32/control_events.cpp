#include "win32/control_events.h"

#include "device/input_events.h"

namespace zul {

ControlEventAnswer AnswerControlEvent(ControlEvent event, bool converter_running, uint32_t input_mode) {
  if (event == ControlEvent::kOther) return ControlEventAnswer::kPassOn;
  if (converter_running) return ControlEventAnswer::kIgnore;
  if (event == ControlEvent::kCtrlC && (input_mode & input_mode::kProcessed) == 0)
    return ControlEventAnswer::kTypeCtrlC;
  return ControlEventAnswer::kPassOn;
}

}  // namespace zul
