#include <windows.h>

#include "system/code_page_win32.h"
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

const CodePage& UseProgramCodePage() {
  SetFileApisToOEM();
  const UINT number = GetOEMCP();
  if (number == CP_UTF8) return Utf8CodePage();
  static const std::unique_ptr<CodePage> kOem = WindowsCodePage(number);
  return kOem != nullptr ? *kOem : Cp437CodePage();
}

void* ProgramInstance() { return GetModuleHandleA(nullptr); }

}  // namespace zul
