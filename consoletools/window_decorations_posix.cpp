#include "consoletools/window_decorations.h"

namespace zul {

namespace {

// A terminal window belongs to the terminal emulator: it has no icon, window
// menu or place that a program inside it may change.
class TerminalWindowDecorations : public WindowDecorations {
 public:
  bool SetIcon(void*, int32_t) override { return false; }
  bool DeleteMenuItem(int32_t) override { return false; }
  bool ResetMenu() override { return false; }
  bool Move(int32_t, int32_t) override { return false; }
  bool BringToTop() override { return false; }
};

}  // namespace

std::unique_ptr<WindowDecorations> OpenWindowDecorations() {
  return std::make_unique<TerminalWindowDecorations>();
}

}  // namespace zul
