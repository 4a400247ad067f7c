#include <unistd.h>

#include "system/system.h"

namespace zul {

const char kPathSeparator = '/';
const bool kFileNamesCaseSensitive = true;

uint32_t SetSystemErrorMode(uint32_t) { return 0; }

Text ReadWorkingDirectory() {
  ErrorDialogsSuppressed quiet;
  char buffer[kWorkingDirectoryBuffer] = {};
  if (getcwd(buffer, sizeof buffer) == nullptr) return Text();
  return Text(buffer);
}

const CodePage& UseProgramCodePage() { return Utf8CodePage(); }

void* ProgramInstance() { return nullptr; }

}  // namespace zul
