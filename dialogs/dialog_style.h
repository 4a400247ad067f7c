// The look shared by the dialogs: attributes (foreground on
// background) and the characters of frames and signs (those of the original
// console's code page, CP437, which every console font has).
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

constexpr char32_t kTopLeft = U'\u2554';  // double frame corners and sides
constexpr char32_t kTopRight = U'\u2557';
constexpr char32_t kBottomLeft = U'\u255A';
constexpr char32_t kBottomRight = U'\u255D';
constexpr char32_t kHorizontal = U'\u2550';
constexpr char32_t kVertical = U'\u2551';
constexpr char32_t kPointerSign = U'\u25BA';  // the pointer left of the highlighted name
constexpr char32_t kMarkSign = U'\u221A';     // the check mark shown beside a marked name
constexpr char32_t kScrollTrack = U'\u2591';  // the scroll bar's track and thumb
constexpr char32_t kScrollThumb = U'\u2588';
constexpr char32_t kArrowUp = U'\u25B2';
constexpr char32_t kArrowDown = U'\u25BC';
constexpr char32_t kMoreLeft = U'\u25C4';   // beside a field whose text runs on to the left
constexpr char32_t kMoreRight = U'\u25BA';  // and to the right

}  // namespace zul::dialog_style
