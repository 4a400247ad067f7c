// The look shared by the console-tools dialogs: attributes (foreground on
// background) and frame bytes in the console's code page, CP437.
#pragma once

#include <cstdint>

#include "device/console_colours.h"

namespace zul::dialog_style {

constexpr uint16_t kBox = colour::Attribute(colour::kBlack, colour::kLightGrey);          // the dialog's face
constexpr uint16_t kFrame = colour::Attribute(colour::kBrightWhite, colour::kLightGrey);  // its double frame
constexpr uint16_t kTitle = colour::Attribute(colour::kBlue, colour::kLightGrey);         // heading and question
constexpr uint16_t kHint = colour::Attribute(colour::kDarkGrey, colour::kLightGrey);      // hints and key help

// The input field, the list and its names.
constexpr uint16_t kField = colour::Attribute(colour::kBrightWhite, colour::kBlue);

// The list's signs share one colour with its count, so that moving the pointer
// or marking a name changes only glyphs: a cell or two on a terminal.
constexpr uint16_t kPointer = colour::Attribute(colour::kYellow, colour::kBlue);  // the pointer at the highlight
constexpr uint16_t kMarked = colour::Attribute(colour::kYellow, colour::kBlue);   // a marked name's check mark
constexpr uint16_t kListStatus = colour::Attribute(colour::kYellow, colour::kBlue);  // the count under the list

constexpr uint16_t kButton = colour::Attribute(colour::kBlack, colour::kGreen);             // a button
constexpr uint16_t kButtonFocus = colour::Attribute(colour::kBrightWhite, colour::kGreen);  // the default button
constexpr uint16_t kShadow = colour::Attribute(colour::kDarkGrey, colour::kBlack);          // the shadow

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
