// The dialogs on consoles that refuse or misreport a call, and the shared drawing
// at the buffer's edges: what the dialog leaves behind must still be usable.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/virtual_console.h"
#include "dialogs/input_box.h"
#include "dialogs/list_box.h"
#include "tests/support/events.h"

namespace zul {
namespace {

using testing::Esc;
using testing::Push;

// A console that cannot tell the cursor's shape, or tells one it would not take back.
class CursorShapeUnknownConsole : public VirtualConsole {
 public:
  explicit CursorShapeUnknownConsole(bool refuses) : refuses_(refuses) {}
  bool GetCursorInfo(CursorInfo& info) override {
    if (refuses_) return false;
    info = CursorInfo{0, false};
    return true;
  }

 private:
  bool refuses_;
};

// Without a shape to put back, a dialog leaves the cursor shown in a new
// console's shape: a hidden cursor after the chooser leaves the terminal unusable.
TEST(DialogOnAConsoleWithoutTheCursorShape, LeavesTheCursorShown) {
  struct Case {
    const char* name;
    bool refuses;
    bool list_box;
  };
  const Case cases[] = {
      {"list box, shape refused", true, true},
      {"input box, shape refused", true, false},
      {"list box, shape of size 0", false, true},
      {"input box, shape of size 0", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CursorShapeUnknownConsole console(c.refuses);
    Push(console, Esc());
    if (c.list_box)
      RunListBox(console, 0, 0, "HEADING", "hint", {"A.ZUL", "B.ZUL"}, true, 0);
    else
      RunInputBox(console, 40, 12, "Where?", "hint", "", 80);
    EXPECT_TRUE(console.CursorShape().visible);
    EXPECT_EQ(console.CursorShape().size, CursorInfo{}.size);
  }
}

}  // namespace
}  // namespace zul
