#include <windows.h>

#include <vector>

#include "system/command_line.h"
#include "system/process.h"
#include "system/system.h"

namespace zul {

// The system reads the line only up to a zero byte, so the line ends there. The program is
// found by the system's own search, and the line is handed over unchanged.
bool StartAndWait(const Text& command_line) {
  // 1. Cut the line and copy it into a writable, terminated buffer, as the call requires.
  const Text used = command_line.substr(0, kMaxCommandLine);
  std::vector<char> line(used.begin(), used.end());
  line.push_back('\0');

  // 2. Start the program sharing the console, handles inherited, with the quiet error mode in
  //    force so that the child inherits it too.
  STARTUPINFOA startup{};
  startup.cb = sizeof(STARTUPINFOA);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  ErrorDialogsSuppressed quiet;
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }

  // 3. Wait for its end without a time limit; neither the wait's result nor the exit code matter.
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return true;
}

}  // namespace zul
