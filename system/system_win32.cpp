#include <windows.h>

#include "system/code_page_win32.h"
#include "system/run_code_page.h"
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

// A code page Windows does not know (it reports none such) falls back to 437, the
// console's original.
const CodePage& UseProgramCodePage() {
  const RunCodePage run = ChooseRunCodePage(GetACP(), GetOEMCP());
  if (run.file_calls_to_oem) SetFileApisToOEM();
  if (run.number == kUtf8CodePageNumber) return Utf8CodePage();
  static const std::unique_ptr<CodePage> kNumbered = WindowsCodePage(run.number);
  return kNumbered != nullptr ? *kNumbered : Cp437CodePage();
}

void* ProgramInstance() { return GetModuleHandleA(nullptr); }

}  // namespace zul
