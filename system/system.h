// The file-system and process seam: the working directory, the program's
// instance, and the suppression of the system's own error dialogs around every
// file-system and process call.
#pragma once

#include <cstdint>

#include "base/code_page.h"
#include "base/text.h"

namespace zul {

// Critical-error and open-file error dialogs off (SEM_FAILCRITICALERRORS with
// SEM_NOOPENFILEERRORBOX).
constexpr uint32_t kQuietErrorMode = 0x8001;

// Sets the process's error mode and returns the one it had. Where the system
// shows no error dialogs there is nothing to set, and 0 comes back.
uint32_t SetSystemErrorMode(uint32_t mode);

// The system's error dialogs are suppressed while this lives; the previous
// error mode comes back when it ends.
class ErrorDialogsSuppressed {
 public:
  ErrorDialogsSuppressed() : previous_(SetSystemErrorMode(kQuietErrorMode)) {}
  ~ErrorDialogsSuppressed() { SetSystemErrorMode(previous_); }
  ErrorDialogsSuppressed(const ErrorDialogsSuppressed&) = delete;
  ErrorDialogsSuppressed& operator=(const ErrorDialogsSuppressed&) = delete;

 private:
  uint32_t previous_;
};

// The size of the buffer the working directory is read into, terminator included.
constexpr int kWorkingDirectoryBuffer = 260;

// The working directory as the system reports it: no trailing separator except
// at a root. The empty text when it cannot be read or does not fit the buffer.
Text ReadWorkingDirectory();

// The separator between a directory and a name in a path.
extern const char kPathSeparator;

// Whether the file system tells names apart by case: a name must then be
// handed on as it is spelled on disk.
extern const bool kFileNamesCaseSensitive;

// Makes the file-system and process calls speak the code page the chooser's texts
// are in for the whole run, and gives that code page, so that a name listed, typed,
// shown and handed to the converter is spelled alike everywhere: on Windows UTF-8 where
// the process's ANSI code page is UTF-8 (the program's manifest asks for it), else the
// OEM code page (the console's own unless changed with chcp), to which the file calls
// are switched (ChooseRunCodePage); elsewhere UTF-8, the terminal's.
const CodePage& UseProgramCodePage();

// The handle of the running program, for loading its resources (null where
// there is no such thing).
void* ProgramInstance();

}  // namespace zul
