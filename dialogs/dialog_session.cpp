#include "dialogs/dialog_session.h"

#include "device/private_input_flags.h"

namespace zul {

DialogInputModes DialogInputModesFor(uint32_t found) {
  using namespace input_mode;
  const uint32_t told = WithDefaultPrivateFlags(found);
  return DialogInputModes{(told | kMouse | kExtendedFlags) & ~kQuickEdit, told};
}

DialogSession::DialogSession(ConsoleDevice& device) : device_(device) {
  have_mode_ = device_.GetInputMode(saved_mode_);
  device_.SetInputMode(DialogInputModesFor(have_mode_ ? saved_mode_ : 0).inside);
  device_.SetPasteAsText(true);
}

DialogSession::~DialogSession() { Close(); }

void DialogSession::Close() {
  if (closed_) return;
  closed_ = true;
  device_.SetPasteAsText(false);
  if (have_mode_) device_.SetInputMode(DialogInputModesFor(saved_mode_).given_back);
}

}  // namespace zul
