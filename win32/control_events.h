// What the chooser does with a console control event (Ctrl+C, Ctrl+Break, the
// console closing), decided by what it is doing when the event comes. Windows
// raises these events in every process of a console, the chooser included; the
// Windows console device answers them as decided here. Pure: it installs nothing.
#pragma once

#include <cstdint>

namespace zul {

enum class ControlEvent { kCtrlC, kCtrlBreak, kOther };

enum class ControlEventAnswer {
  kPassOn,     // not taken: the system's default handling ends the chooser
  kIgnore,     // taken and dropped: the chooser goes on
  kTypeCtrlC,  // taken and typed into the console input as the Ctrl+C key
};

// While a converter runs, Ctrl+C and Ctrl+Break belong to the converter, which may end
// by them: the chooser ignores them and goes on with the next name. Otherwise Ctrl+C
// with processed input off in `input_mode` is the key a dialog cancels with (a console
// that raises it as an event instead has it typed); every other event, and Ctrl+C with
// processed input on, takes its default course.
ControlEventAnswer AnswerControlEvent(ControlEvent event, bool converter_running, uint32_t input_mode);

}  // namespace zul
