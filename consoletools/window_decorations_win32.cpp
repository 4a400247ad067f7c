#include <windows.h>

#include "consoletools/console_tools.h"
#include "consoletools/window_decorations.h"
#include "consoletools/window_placement.h"

namespace zul {

namespace {

// How long the console window may take to take a new icon, in milliseconds; a window
// that does not answer is not waited for longer.
constexpr UINT kMessageTimeoutMs = 1000;
// Resource numbers are 16-bit; anything else would be taken for a name's address.
constexpr int32_t kLargestResourceId = 0xFFFF;

// The console's own window. It may be missing (no window, or a hidden one in a terminal
// or under wine) and may have no window menu: each call then reports that it did nothing.
class ConsoleWindowDecorations : public WindowDecorations {
 public:
  bool SetIcon(void* instance, int32_t id) override;
  bool DeleteMenuItem(int32_t command) override;
  bool ResetMenu() override;
  bool Move(int32_t x, int32_t y) override;
  bool BringToTop() override;
};

// Loads the icon `id` of `module` in the size the system gives the metrics `width` and
// `height`; null when the module has none under that number.
HICON LoadIconOfSize(HMODULE module, int32_t id, int width, int height) {
  return static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, GetSystemMetrics(width),
                                       GetSystemMetrics(height), LR_SHARED));
}

// The icon comes from the resources of the program's own file (the module `instance`, or
// the program's when none is given), each of the window's two icons in its own size.
// Without such an icon nothing changes.
bool ConsoleWindowDecorations::SetIcon(void* instance, int32_t id) {
  const HWND window = GetConsoleWindow();
  if (window == nullptr || id < 1 || id > kLargestResourceId) return false;
  const HMODULE module = instance != nullptr ? static_cast<HMODULE>(instance) : GetModuleHandleA(nullptr);
  const HICON small_icon = LoadIconOfSize(module, id, SM_CXSMICON, SM_CYSMICON);
  const HICON big_icon = LoadIconOfSize(module, id, SM_CXICON, SM_CYICON);
  if (small_icon == nullptr || big_icon == nullptr) return false;
  DWORD_PTR previous = 0;
  const bool small_set = SendMessageTimeoutA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon),
                                             SMTO_ABORTIFHUNG, kMessageTimeoutMs, &previous) != 0;
  const bool big_set = SendMessageTimeoutA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon),
                                           SMTO_ABORTIFHUNG, kMessageTimeoutMs, &previous) != 0;
  return small_set && big_set;
}

bool ConsoleWindowDecorations::DeleteMenuItem(int32_t command) {
  const HWND window = GetConsoleWindow();
  if (window == nullptr) return false;
  const HMENU menu = GetSystemMenu(window, FALSE);
  if (menu == nullptr) return false;
  return DeleteMenu(menu, static_cast<UINT>(command), MF_BYCOMMAND) != 0;
}

// Restoring the default menu returns nothing to check, so the menu is looked up again:
// the work is done when the window has a menu afterwards.
bool ConsoleWindowDecorations::ResetMenu() {
  const HWND window = GetConsoleWindow();
  if (window == nullptr) return false;
  GetSystemMenu(window, TRUE);
  return GetSystemMenu(window, FALSE) != nullptr;
}

// Moving the window:
// 1. (kCentreWindow, kCentreWindow) centres it on the work area (the display less the
//    task bar) of the display it is mostly on;
// 2. any other pair is the new top-left corner;
// 3. the size and the stacking order stay.
bool ConsoleWindowDecorations::Move(int32_t x, int32_t y) {
  const HWND window = GetConsoleWindow();
  if (window == nullptr) return false;
  if (x == kCentreWindow && y == kCentreWindow) {
    RECT frame;
    if (!GetWindowRect(window, &frame)) return false;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) return false;
    const RECT& work = monitor.rcWork;
    const PixelPoint origin = CentredOrigin(PixelRect{work.left, work.top, work.right, work.bottom},
                                            frame.right - frame.left, frame.bottom - frame.top);
    x = origin.x;
    y = origin.y;
  }
  return SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER) != 0;
}

// The window goes to the top of the stacking order and is asked to become the foreground
// window; the system may refuse the latter, which does not undo the former.
bool ConsoleWindowDecorations::BringToTop() {
  const HWND window = GetConsoleWindow();
  if (window == nullptr) return false;
  const bool raised = SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE) != 0;
  SetForegroundWindow(window);
  return raised;
}

}  // namespace

std::unique_ptr<WindowDecorations> OpenWindowDecorations() { return std::make_unique<ConsoleWindowDecorations>(); }

}  // namespace zul
