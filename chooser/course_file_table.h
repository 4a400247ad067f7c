// The second phase: the course files of the working directory, upper-cased and
// sorted into the course file table with their on-disk spellings beside them,
// and the notices that tell the user when there are none or too many.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "base/code_page.h"
#include "chooser/run_state.h"

namespace zul {

// The course files of a listing as the table keeps them: the first kTableSize
// in the table's order (byte order of the upper-cased names, equal names by
// their on-disk spellings), however many the listing holds and in whatever
// order it gives them, and how many it held. It keeps at most twice
// kTableSize names at any time.
class CourseFileSelection {
 public:
  // Names are upper-cased (UpperCasedText) as read in `code_page`.
  explicit CourseFileSelection(const CodePage& code_page) : code_page_(code_page) {}
  // One name of the listing, as spelled on disk.
  void Add(const Text& on_disk);
  // How many names were added.
  std::size_t Found() const { return found_; }
  // Puts the kept names, sorted, into entries 1 to n of the course file table,
  // their spellings beside them, and empties the other entries; n (at most
  // kTableSize) becomes the course file count when it is not 0.
  void StoreInto(RunState& state);

 private:
  // Drops every name after the first kTableSize in the table's order.
  void DropBeyondTable();

  const CodePage& code_page_;
  std::vector<std::pair<Text, Text>> kept_;  // upper-cased name, on-disk spelling
  std::size_t found_ = 0;
};

// Lists the course files (*.ZUL) of the working directory into the course file
// table: upper-cased, sorted by byte order and packed at the front, with their
// on-disk spellings beside them. Says so on screen when there are none, and,
// when there are more than the table holds, how many were found and that only
// the first kTableSize of them are listed.
void BuildCourseFileTable(RunState& state, PhaseServices& services);

}  // namespace zul
