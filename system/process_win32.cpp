#include <windows.h>

#include <vector>

#include "system/command_line.h"
#include "system/process.h"
#include "system/system.h"

namespace zul {

// The system reads the line only up to a zero byte, so the line ends there. The program is
// found by the system's own search, and the line is handed over unchanged.
bool StartAndWait(const Text& command_line) {
  // The call takes the line in a writable, terminated buffer.
  const Text used = command_line.substr(0, kMaxCommandLine);
  std::vector<char> line(used.begin(), used.end());
  line.push_back('\0');

  // The quiet error mode is in force as the program starts, so that the child inherits it.
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

  // Neither the wait's result nor the exit code matters.
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return true;
}

}  // namespace zul
