#include <windows.h>

#include "system/system.h"

namespace zul {

const char kPathSeparator = '\\';
const bool kFileNamesCaseSensitive = false;

uint32_t SetSystemErrorMode(uint32_t mode) { return SetErrorMode(mode); }

// When the buffer is too small the call returns the size it needs and leaves
// the buffer as it was: zeroed, so the empty text.
Text ReadWorkingDirectory() {
  ErrorDialogsSuppressed quiet;
  char buffer[kWorkingDirectoryBuffer] = {};
  const DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
  if (length == 0 || length >= sizeof buffer) return Text();
  return Text(buffer, length);
}

void* ProgramInstance() { return GetModuleHandleA(nullptr); }

}  // namespace zul
