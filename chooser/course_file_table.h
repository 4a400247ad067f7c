#pragma once

#include "chooser/run_state.h"

namespace zul {

// A course file's name as the table holds it: a to z upper-cased, and the seven
// accented letters of the console's code page that have capitals (0x84, 0x94,
// 0x81, 0x82, 0xA4, 0x86, 0x87). Every other byte stays; no locale is read.
Text UpperCaseName(const Text& name);

// Sorts the course file table by byte order of the names (equal names by their
// on-disk spellings) and packs the names at the front from entry 1, each on-disk
// spelling staying beside its name; the entries after them are left empty.
void SortCourseFiles(RunState& state);

// Lists the course files (*.ZUL) of the working directory into the course file
// table: upper-cased, sorted by byte order and packed at the front, with their
// on-disk spellings beside them. Says so on screen when there are none.
void BuildCourseFileTable(RunState& state, Services& services);

}  // namespace zul
