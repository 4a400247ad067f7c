// The look shared by the dialogs: attributes (foreground on
// background) and the characters of frames and signs (those of the original
// console's code page, CP437, which every console font has).
#pragma once

#include <cstdint>

#include "device/console_colours.h"

namespace zul::dialog_style {

// The colours, chosen so that every glyph meets the contrast a reader needs (text
// 4.5 : 1, frames, bars and markers 3 : 1) in the xterm, Windows Campbell and legacy
// console palettes alike. The check marks and the count under the list are in the
// names' colours, so that a terminal draws a mark, the count and the names that
// the highlight leaves without a change of colour.
constexpr uint16_t kBox = colour::Attribute(colour::kBlack, colour::kLightGrey);    // the dialog's face
constexpr uint16_t kFrame = colour::Attribute(colour::kBlack, colour::kLightGrey);  // its double frame
constexpr uint16_t kTitle = colour::Attribute(colour::kBlue, colour::kLightGrey);   // heading, question, labels
constexpr uint16_t kHint = colour::Attribute(colour::kBlack, colour::kLightGrey);   // hints and key help
// A field, the list and its names; a marked name's check mark and the count under
// the list in the same colours.
constexpr uint16_t kField = colour::Attribute(colour::kBrightWhite, colour::kBlue);
constexpr uint16_t kMarked = kField;
constexpr uint16_t kListStatus = kField;
// The highlighted name's bar, from the pointer (which only it has) to the name's
// last cell.
constexpr uint16_t kHighlight = colour::Attribute(colour::kBlack, colour::kLightCyan);
constexpr uint16_t kButton = colour::Attribute(colour::kBlack, colour::kBrightWhite);      // a button
constexpr uint16_t kButtonFocus = colour::Attribute(colour::kBlack, colour::kLightGreen);  // the default button
constexpr uint16_t kShadow = colour::Attribute(colour::kDarkGrey, colour::kBlack);         // beside the box
// The input box's note on its answer: a folder found, none (or not one that will
// do), and still looking.
constexpr uint16_t kNoteFound = colour::Attribute(colour::kBlack, colour::kLightGreen);
constexpr uint16_t kNoteNotFound = colour::Attribute(colour::kBrightWhite, colour::kRed);
constexpr uint16_t kNoteLooking = kHint;

// What a colour draws, which sets the contrast it must reach: text, or signs
// (frames, bars, arrows and markers); the shadow lies over what is not the
// dialog's and is not meant to be read.
enum class Drawn { kText, kSigns, kShadow };
struct Use {
  uint16_t attribute;
  Drawn drawn;
};
// Every colour above with what it draws: the table a legibility check goes through.
constexpr Use kColours[] = {
    {kBox, Drawn::kText},          {kFrame, Drawn::kSigns},      {kTitle, Drawn::kText},
    {kHint, Drawn::kText},         {kField, Drawn::kText},       {kMarked, Drawn::kSigns},
    {kListStatus, Drawn::kText},   {kHighlight, Drawn::kText},   {kButton, Drawn::kText},
    {kButtonFocus, Drawn::kText},  {kShadow, Drawn::kShadow},    {kNoteFound, Drawn::kText},
    {kNoteNotFound, Drawn::kText}, {kNoteLooking, Drawn::kText},
};

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
constexpr char32_t kMoreLeft = U'\u25C4';      // beside a field whose text runs on to the left
constexpr char32_t kMoreRight = U'\u25BA';     // and to the right
constexpr char32_t kDefaultLeft = U'\u25BA';   // either side of the default button's label,
constexpr char32_t kDefaultRight = U'\u25C4';  // where another button has its brackets

}  // namespace zul::dialog_style
