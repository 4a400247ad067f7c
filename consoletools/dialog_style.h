// The look shared by the console-tools dialogs: attributes (background * 16 +
// foreground) and frame bytes in the console's code page, CP437.
#pragma once

#include <cstdint>

namespace zul::dialog_style {

constexpr uint16_t kBox = 0x70;            // black on grey: the dialog's face
constexpr uint16_t kFrame = 0x7F;          // bright white on grey: its double frame
constexpr uint16_t kTitle = 0x71;          // blue on grey: heading and question
constexpr uint16_t kHint = 0x78;           // dark grey on grey: hints and key help
constexpr uint16_t kField = 0x1F;          // bright white on blue: the input field and the list
constexpr uint16_t kHighlight = 0x30;      // black on cyan: the highlighted list row
constexpr uint16_t kMarked = 0x1E;         // yellow on blue: a marked list row
constexpr uint16_t kMarkedHighlight = 0x3E;  // yellow on cyan: the highlighted row, marked
constexpr uint16_t kButton = 0x20;         // black on green: a button
constexpr uint16_t kButtonFocus = 0x2F;    // bright white on green: the default button
constexpr uint16_t kShadow = 0x08;         // dark grey on black: the shadow

constexpr uint8_t kTopLeft = 0xC9;      // double frame corners and sides
constexpr uint8_t kTopRight = 0xBB;
constexpr uint8_t kBottomLeft = 0xC8;
constexpr uint8_t kBottomRight = 0xBC;
constexpr uint8_t kHorizontal = 0xCD;
constexpr uint8_t kVertical = 0xBA;
constexpr uint8_t kMarkByte = 0xFB;     // the check mark shown beside a marked name
constexpr uint8_t kScrollTrack = 0xB0;  // the scroll bar's track and thumb
constexpr uint8_t kScrollThumb = 0xDB;
constexpr uint8_t kArrowUp = 0x1E;
constexpr uint8_t kArrowDown = 0x1F;

}  // namespace zul::dialog_style
