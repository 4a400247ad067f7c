// The machinery the console-tools dialogs share: placing a box on the screen,
// saving and restoring what lies under it, drawing frames, texts, shadows and
// buttons, and the input loop that runs a dialog until it closes. It draws only
// through the console device; what a dialog shows and how it answers keys is the
// dialog's own business (the input box, the list box).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "device/console_device.h"

namespace zul {

// The shadow lies this many columns to the right of a box and rows below it.
constexpr int kShadowColumns = 2;
constexpr int kShadowRows = 1;

// The box of `width` by `height` cells centred on the cell at `column`, `row`,
// counted from 1 at the top left of the buffer, and moved to lie inside
// `window`. The shadow is kept inside the window too while the window has room
// for it. A box larger than the window is shrunk to the window. The result is
// empty (Width() or Height() below 1) only when the window or the asked size is.
InclusiveRect PlaceDialog(const InclusiveRect& window, int width, int height, int32_t column, int32_t row);

// The cells a box and its shadow cover, clipped to `clip` (the buffer or the window).
InclusiveRect AreaWithShadow(const InclusiveRect& box, const InclusiveRect& clip);

// What lies under a dialog: the cells of a rectangle, and the cursor's position
// and shape. Restore puts them back exactly, once; the destructor restores what
// has not been restored yet.
class SavedRegion {
 public:
  // Saves `area` (clipped to the buffer) and the cursor.
  SavedRegion(ConsoleDevice& device, const InclusiveRect& area);
  ~SavedRegion();
  SavedRegion(const SavedRegion&) = delete;
  SavedRegion& operator=(const SavedRegion&) = delete;

  // Puts the saved cells back (those the buffer still has, should it have
  // shrunk) and the cursor as it was; later calls do nothing.
  void Restore();
  // Puts the saved cells back (the cursor stays), then saves `area` instead:
  // for a dialog that moves to another place.
  void Move(const InclusiveRect& area);
  // The saved rectangle, clipped to the buffer as it was when saved.
  const InclusiveRect& Area() const { return area_; }

 private:
  void Save(const InclusiveRect& area);
  void PutCellsBack();

  ConsoleDevice& device_;
  InclusiveRect area_;
  std::vector<Cell> cells_;
  Coord cursor_;
  CursorInfo cursor_info_;
  bool have_cursor_info_ = false;
  bool restored_ = false;
};

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
// found (DialogInputModesFor) on Close or destruction.
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

// Shows or hides the cursor, in the shape the console gives it, or in the
// default shape when it gives none that it would take back.
void SetCursorShown(ConsoleDevice& device, bool visible);

// Fills every cell of `area` with `fill`, clipped to the buffer.
void FillRect(ConsoleDevice& device, const InclusiveRect& area, Cell fill);

// Writes `cells` from `at`; those left of the buffer's first column or beyond its
// row's end are dropped.
void WriteCells(ConsoleDevice& device, Coord at, std::vector<Cell> cells);

// Writes `text` as cells from `at` in `attribute`, read in the device's code page
// (AppendTextCells: a character a cell or two, control bytes and bytes that spell
// nothing as their glyphs). With `width` >= 0 exactly `width` cells are written:
// the text cut at a character or padded with blanks; with `width` < 0 all of it.
void WriteText(ConsoleDevice& device, Coord at, std::string_view text, uint16_t attribute, int width = -1);

// Writes `text` centred in the `width` cells from `at`, padded with blanks in
// `attribute`, or cut at the right when it does not fit.
void WriteCentred(ConsoleDevice& device, Coord at, std::string_view text, uint16_t attribute, int width);

// Draws a double frame on the edge of `box` in `frame_attribute` (the inside is
// left alone) with `title`, when not empty, centred in the top edge between
// blanks, in `title_attribute`, cut to fit. A box under 2 by 2 gets no frame.
void DrawFrame(ConsoleDevice& device, const InclusiveRect& box, uint16_t frame_attribute,
               std::string_view title = {}, uint16_t title_attribute = 0);

// Darkens the shadow of `box`: the cells kShadowColumns to its right and
// kShadowRows below it keep their bytes and take the shadow attribute. Only
// cells inside `clip` are touched.
void DrawShadow(ConsoleDevice& device, const InclusiveRect& box, const InclusiveRect& clip);

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

// Lays out `buttons` side by side on row `row`, `gap` cells apart, centred
// between columns `left` and `right` (inclusive). When they do not fit they
// start at `left` and those passing `right` are cut (width 0 when nothing shows).
void LayoutButtons(std::span<Button> buttons, int left, int right, int row, int gap = 2);

// Draws `button` as laid out: the default (focused) button in the focus colour.
void DrawButton(ConsoleDevice& device, const Button& button, bool focused);

// How a dialog answers an event: stays open, or closes with OK or Cancel.
enum class DialogResult { kOpen, kOk, kCancel };

// Esc, Ctrl+C (the C key with Ctrl, or the byte 0x03): the keys that cancel.
bool IsCancelKey(const KeyEvent& key);
// Esc: its key, or the character it types.
bool IsEscapeKey(const KeyEvent& key);
// Ctrl (without Alt) with the key of `letter`, a capital: how every reader reports
// the control character of that letter (the key table gives 0x01 as Ctrl+A).
bool IsCtrlLetter(const KeyEvent& key, char letter);
// Enter.
bool IsEnterKey(const KeyEvent& key);
// A key that types its character: U+0020 and above with neither Ctrl nor Alt
// held, or with both (AltGr, which types on many keyboards); never Backspace,
// Enter, Esc, Tab, nor Delete when it brings 0x7F. A dialog asks this before it
// reads navigation keys by their key code: typed punctuation may share a code
// with one ('.' and Delete).
bool IsTypedCharacter(const KeyEvent& key);
// A press of the left mouse button (a single or a double click).
bool IsLeftPress(const MouseEvent& mouse);

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
};

// Runs `dialog` until it closes and returns how it closed:
// 1. opens a DialogSession (mouse clicks arrive) and hides the cursor;
// 2. lays the dialog out, saves what lies under its box and shadow, draws the
//    shadow and the dialog;
// 3. reads events: keys and mouse events go to the dialog; a resize restores
//    what was under the box, lays it out again, saves and draws anew; the end
//    of the input is Cancel; a failing read is taken as the end of the input;
// 4. restores the cells, the cursor and the input mode, and shows the result.
DialogResult RunDialog(ConsoleDevice& device, Dialog& dialog);

}  // namespace zul
