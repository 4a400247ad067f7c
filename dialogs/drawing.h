// The drawing the dialogs share: cells, texts, frames, shadows and a field's row
// written through the console device, clipped to its buffer, and the cursor shown or
// hidden. What a dialog draws where is the dialog's own business.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "base/code_page.h"
#include "device/console_device.h"
#include "dialogs/text_field.h"

namespace zul {

// The buffer as a rectangle; empty when its size cannot be read.
InclusiveRect BufferRect(ConsoleDevice& device);

// Shows or hides the cursor, in the shape the console gives it, or in the
// default shape when it gives none that it would take back.
void SetCursorShown(ConsoleDevice& device, bool visible);

// Fills every cell of `area` with `fill`, clipped to the buffer.
void FillRect(ConsoleDevice& device, const InclusiveRect& area, Cell fill);

// Writes `cells` from `at`; those left of the buffer's first column or beyond its
// row's end are dropped.
void WriteCells(ConsoleDevice& device, Coord at, std::vector<Cell> cells);

// Writes `text` as cells from `at` in `attribute`, read in `code_page`
// (AppendTextCells: a character a cell or two, control bytes and bytes that spell
// nothing as their glyphs). With `width` >= 0 exactly `width` cells are written:
// the text cut at a character or padded with blanks; with `width` < 0 all of it.
void WriteText(ConsoleDevice& device, const CodePage& code_page, Coord at, std::string_view text,
               uint16_t attribute, int width = -1);

// Draws a double frame on the edge of `box` in `frame_attribute`; the inside is
// left alone. A box under 2 by 2 gets no frame.
void DrawFrame(ConsoleDevice& device, const InclusiveRect& box, uint16_t frame_attribute);

// Darkens the shadow of `box`: the cells kShadowColumns to its right and
// kShadowRows below it keep their bytes and take the shadow attribute. Only
// cells inside `clip` are touched.
void DrawShadow(ConsoleDevice& device, const InclusiveRect& box, const InclusiveRect& clip);

// Draws the row of a field of `width` cells that starts at `at`, in one write: `label`
// (read in `code_page`) in the title colour, with `marks` a cell for ◄ (kMoreLeft), the field scrolled to
// keep its insertion point in view, and with `marks` a cell for ► (kMoreRight); the
// marks show while the text runs on beyond that side, else the cells are blank. The
// cursor is put, shown, at the insertion point.
void DrawFieldRow(ConsoleDevice& device, const CodePage& code_page, TextField& field, Coord at, int width,
                  bool marks, std::string_view label = {});

}  // namespace zul
