// The state of one run of the chooser: owned by the run sequence for the whole
// run and handed to each phase, which reads and changes it.
#pragma once

#include <cstdint>

#include "base/code_page.h"
#include "base/text.h"

namespace zul {

class TextScreen;
class ConsoleToolsAdapter;
class ConsoleLender;

struct RunState {
  Text startup_directory;          // the working directory at start
  Text course_directory_prefix;    // the answered course directory and a separator
  ListTable course_files;          // upper-cased, sorted, packed at the front
  ListTable course_files_on_disk;  // the same names as spelled on disk
  int16_t course_file_count = 0;
  ListTable list_table;          // what the list box offers
  Text selection;                // the list box's answer: names split by zero bytes
  ChosenNameTable chosen_names;  // used from entry 1
  int16_t chosen_count = 0;
};

// What the phases draw, ask and lend the console with, and the run's code page.
struct PhaseServices {
  TextScreen& screen;
  ConsoleToolsAdapter& tools;
  ConsoleLender& lender;
  const CodePage& code_page;
};

}  // namespace zul
