// A dialog and the loop that runs it: the dialog lays itself out, draws itself and
// answers keys and mouse events; RunDialog sets the console up for it, keeps what
// lies under it, feeds it events until it closes and puts everything back. The
// pieces it is made of are placement.h, saved_region.h, dialog_session.h,
// drawing.h, button.h and dialog_keys.h.
#pragma once

#include <string_view>

#include "device/console_device.h"

namespace zul {

// How a dialog answers an event: stays open, or closes with OK or Cancel.
enum class DialogResult { kOpen, kOk, kCancel };

// A dialog that RunDialog can run: it lays itself out for the screen, draws
// itself, and answers keys and mouse events.
class Dialog {
 public:
  virtual ~Dialog() = default;
  // Works out the dialog's place for the screen `info` describes and returns its
  // box (the shadow not included), which must lie inside info.window.
  virtual InclusiveRect Layout(const BufferInfo& info) = 0;
  // Draws the whole dialog in the box Layout gave, and places (and shows, if it
  // wants it) the cursor. The shadow is already drawn.
  virtual void Draw(ConsoleDevice& device) = 0;
  // Answers one key press.
  virtual DialogResult OnKey(ConsoleDevice& device, const KeyEvent& key) = 0;
  // Answers one mouse event, in buffer coordinates.
  virtual DialogResult OnMouse(ConsoleDevice& device, const MouseEvent& mouse) = 0;
  // Answers a paste: characters, none of them a control character, that never
  // close the dialog the way a typed Enter would. A dialog without text to edit
  // leaves it.
  virtual DialogResult OnPaste(ConsoleDevice& /*device*/, std::u32string_view /*text*/) {
    return DialogResult::kOpen;
  }
  // Called before every wait for input: the dialog catches up with what it waits
  // for besides input (the answer of a look-up, a pause in typing) and may draw.
  virtual void Tick(ConsoleDevice& /*device*/) {}
  // How long, from now, the wait for input that follows Tick may last before Tick
  // is called again; negative: until input comes.
  virtual int WaitMs() const { return -1; }
};

// Runs `dialog` until it closes and returns how it closed:
// 1. opens a DialogSession (mouse clicks arrive) and hides the cursor;
// 2. lays the dialog out, saves what lies under its box and shadow, draws the
//    shadow and the dialog;
// 3. reads events: keys, mouse events and pastes go to the dialog; a resize restores
//    what was under the box, lays it out again, saves and draws anew; the end
//    of the input is Cancel; a failing read is taken as the end of the input;
//    before each read the dialog is ticked, and a read runs no longer than the
//    dialog's WaitMs;
// 4. restores the cells, the cursor and the input mode, and shows the result.
DialogResult RunDialog(ConsoleDevice& device, Dialog& dialog);

}  // namespace zul
