// A virtual console whose input a test scripts: the events queued with PushInput,
// in order, then the end of the input at every later read. Test support only.
#pragma once

#include <deque>

#include "device/virtual_console.h"
#include "tests/support/printers.h"

namespace zul::testing {

class ScriptedConsole : public VirtualConsole {
 public:
  using VirtualConsole::VirtualConsole;

  void PushInput(const InputEvent& event) { input_.push_back(event); }

  // Gives the next queued event, or, once they are used up, the end of the input.
  bool ReadInput(InputEvent& event, int timeout_ms) override {
    if (input_.empty()) return VirtualConsole::ReadInput(event, timeout_ms);
    event = input_.front();
    input_.pop_front();
    return true;
  }

 private:
  std::deque<InputEvent> input_;
};

}  // namespace zul::testing
