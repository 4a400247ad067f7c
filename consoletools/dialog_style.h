// The look shared by the console-tools dialogs: attributes (background * 16 +
// foreground) and frame bytes in the console's code page, CP437.
#pragma once

#include <cstdint>

namespace zul::dialog_style {

constexpr uint16_t kBox = 0x70;    // black on grey: the dialog's face
constexpr uint16_t kFrame = 0x7F;  // bright white on grey: its double frame
constexpr uint16_t kTitle = 0x71;  // blue on grey: heading and question
constexpr uint16_t kHint = 0x78;   // dark grey on grey: hints and key help
constexpr uint16_t kField = 0x1F;  // bright white on blue: the input field, the list and its names
// The list's signs share one colour with its count, so that moving the pointer
// or marking a name changes only glyphs: a cell or two on a terminal.
constexpr uint16_t kPointer = 0x1E;      // yellow on blue: the pointer at the highlighted name
constexpr uint16_t kMarked = 0x1E;       // yellow on blue: the check mark of a marked name
constexpr uint16_t kListStatus = 0x1E;   // yellow on blue: the row under the list with the count
constexpr uint16_t kButton = 0x20;       // black on green: a button
constexpr uint16_t kButtonFocus = 0x2F;  // bright white on green: the default button
constexpr uint16_t kShadow = 0x08;       // dark grey on black: the shadow

constexpr uint8_t kTopLeft = 0xC9;  // double frame corners and sides
constexpr uint8_t kTopRight = 0xBB;
constexpr uint8_t kBottomLeft = 0xC8;
constexpr uint8_t kBottomRight = 0xBC;
constexpr uint8_t kHorizontal = 0xCD;
constexpr uint8_t kVertical = 0xBA;
constexpr uint8_t kPointerByte = 0x10;  // the pointer left of the highlighted name
constexpr uint8_t kMarkByte = 0xFB;     // the check mark shown beside a marked name
constexpr uint8_t kScrollTrack = 0xB0;  // the scroll bar's track and thumb
constexpr uint8_t kScrollThumb = 0xDB;
constexpr uint8_t kArrowUp = 0x1E;
constexpr uint8_t kArrowDown = 0x1F;

}  // namespace zul::dialog_style
