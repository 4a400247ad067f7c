#include "dialogs/dialog.h"

#include "dialogs/dialog_session.h"
#include "dialogs/drawing.h"
#include "dialogs/placement.h"
#include "dialogs/saved_region.h"

namespace zul {

DialogResult RunDialog(ConsoleDevice& device, Dialog& dialog) {
  DialogSession session(device);
  BufferInfo info;
  if (!device.GetBufferInfo(info)) return DialogResult::kCancel;
  InclusiveRect box = dialog.Layout(info);
  SavedRegion saved(device, AreaWithShadow(box, info.window));
  auto draw = [&] {
    SetCursorShown(device, false);
    if (box.IsEmpty()) return;
    DrawShadow(device, box, info.window);
    dialog.Draw(device);
  };
  draw();

  DialogResult result = DialogResult::kOpen;
  while (result == DialogResult::kOpen) {
    dialog.Tick(device);
    const int wait = dialog.WaitMs();
    InputEvent event;
    if (!device.ReadInput(event, wait)) {
      if (wait >= 0) continue;  // the time ran out: the dialog is ticked again
      event.kind = InputEvent::Kind::kEnd;
    }
    switch (event.kind) {
      case InputEvent::Kind::kKey:
        result = dialog.OnKey(device, event.key);
        break;
      case InputEvent::Kind::kMouse:
        result = dialog.OnMouse(device, event.mouse);
        break;
      case InputEvent::Kind::kPaste:
        result = dialog.OnPaste(device, event.pasted);
        break;
      case InputEvent::Kind::kResize:
        if (device.GetBufferInfo(info)) {
          box = dialog.Layout(info);
          saved.Move(AreaWithShadow(box, info.window));
          draw();
        }
        break;
      case InputEvent::Kind::kEnd:
        result = DialogResult::kCancel;
        break;
    }
  }
  saved.Restore();
  session.Close();
  return result;
}

}  // namespace zul
