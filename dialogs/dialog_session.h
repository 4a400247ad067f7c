// The console input mode while a dialog is open: mouse clicks must arrive, a paste
// comes as text, and the mode the dialog found is given back, once, when it closes.
#pragma once

#include <cstdint>

#include "device/console_device.h"

namespace zul {

// The console input modes a dialog works with, worked out from the mode it found.
struct DialogInputModes {
  uint32_t inside = 0;      // while the dialog is open
  uint32_t given_back = 0;  // set once when it closes
};

// Inside a dialog mouse clicks must arrive: mouse input on and quick edit off,
// which the console changes only when the extended flags come with the mode; the
// other bits stay as found. On closing the found mode is set again, in one call.
// A found mode that reports the extended flags carries quick edit, insert and
// auto position as they were, and is given back exactly; the Windows device
// reports them as the console last told them, also under a plain mode such as 16.
// One that reports no extended flags (under wine, which never tells, or where the
// parent last set a plain mode) says nothing of them: the dialog keeps insert and
// auto position on while open and gives them back with quick edit as a new
// console has them, all on, so that the command line after the program does not
// overtype.
DialogInputModes DialogInputModesFor(uint32_t found);

// Sets the input mode a dialog needs while it lives and gives back the one it
// found (DialogInputModesFor) on Close or destruction; pastes come as text
// (ConsoleDevice::SetPasteAsText) meanwhile.
class DialogSession {
 public:
  explicit DialogSession(ConsoleDevice& device);
  ~DialogSession();
  DialogSession(const DialogSession&) = delete;
  DialogSession& operator=(const DialogSession&) = delete;

  // Restores the input mode; later calls do nothing.
  void Close();

 private:
  ConsoleDevice& device_;
  uint32_t saved_mode_ = 0;
  bool have_mode_ = false;
  bool closed_ = false;
};

}  // namespace zul
