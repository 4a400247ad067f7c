// The OK / Cancel pair of push buttons both dialogs close with: laid out side by side
// on a row, drawn as "[ Label ]" (the default, OK, as "► OK ◄"), hit by a click on
// any cell they show.
#pragma once

#include <array>
#include <string>

#include "base/code_page.h"
#include "device/console_device.h"
#include "dialogs/dialog.h"

namespace zul {

// A push button shown as "[ Label ]" and hit by a left click on any of its cells.
struct Button {
  std::string label;
  Coord at;       // its first cell, the '['
  int width = 0;  // the cells it occupies as drawn: the full "[ Label ]", or less when cut

  // The cells "[ Label ]" needs.
  int FullWidth() const { return static_cast<int>(label.size()) + 4; }
  // Whether the cell `cell` is one of the button's drawn cells.
  bool Hit(Coord cell) const { return InclusiveRect::FromSize(at, width, 1).Contains(cell); }
};

// The OK / Cancel pair under a dialog, OK the default.
class OkCancelButtons {
 public:
  // Lays the pair out on row `row`, two cells apart, centred between columns `left`
  // and `right` (inclusive). When they do not fit they start at `left` and what
  // passes `right` is cut. A row < 0 (one the dialog does not show) hides the pair.
  void Layout(int left, int right, int row);
  // Neither button shows nor is hit until the pair is laid out again.
  void Hide();
  // Draws the pair as laid out (labels read in `code_page`): OK, the default, in the
  // focus colour with pointers for brackets, "► OK ◄", to stand out without colour.
  void Draw(ConsoleDevice& device, const CodePage& code_page) const;
  // How a left click on `cell` closes the dialog: kOk or kCancel on a button's
  // cells, kOpen (it does not) elsewhere.
  DialogResult Hit(Coord cell) const;

 private:
  std::array<Button, 2> buttons_ = {Button{"OK", {}, 0}, Button{"Cancel", {}, 0}};
};

}  // namespace zul
