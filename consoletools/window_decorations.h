// The console window's decorations: icon, window menu, place and stacking.
// Windows has them; a terminal has none, and there every call is a deliberate
// no-op that reports failure. Each call tolerates a console without a window.
#pragma once

#include <cstdint>
#include <memory>

namespace zul {

class WindowDecorations {
 public:
  virtual ~WindowDecorations() = default;
  // Shows the icon `id` of the resources of the module `instance` (null: the
  // program's own file); without such an icon nothing changes.
  virtual bool SetIcon(void* instance, int32_t id) = 0;
  virtual bool DeleteMenuItem(int32_t command) = 0;
  // Gives the window menu back its default items.
  virtual bool ResetMenu() = 0;
  // Moves the window's top-left corner to (x, y) in display pixels;
  // kCentreWindow on both sides centres it.
  virtual bool Move(int32_t x, int32_t y) = 0;
  virtual bool BringToTop() = 0;
};

std::unique_ptr<WindowDecorations> OpenWindowDecorations();

}  // namespace zul
