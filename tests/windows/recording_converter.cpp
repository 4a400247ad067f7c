// A Windows test program that stands in for the converter and records how it was started. Each
// run appends one line to its log, in UTF-8: its working directory, a '|', its command line
// exactly as the system hands it over in UTF-16 (GetCommandLineW), and "|opens" when what the
// command line holds after its first word and the blanks after it (a path with blanks in it
// too, as the converter reads one) names a file that opens from the working directory, else
// "|cannot open". It reads both in UTF-16, as a converter does that takes any name, whatever
// its own code page. The log is the file ZUL_RECORDING_LOG names, else
// recorded_runs.log in the program's own folder. A run lasts ZUL_RECORDING_RUN_MS milliseconds
// (300 when unset) and holds a lock file beside the log meanwhile; a run that finds the lock
// taken appends a line OVERLAP (and one it cannot take for another reason, LOCK FAILED and the
// error code), so runs that are not strictly one after the other are seen. A console control
// event appends CTRL_C_EVENT or CTRL_BREAK_EVENT and, a second later (as a program that cleans
// up before it ends), takes its default course, which ends the run: every other process of
// the console gets the event while the run is still going. Exit code 0; 2 when it cannot
// record.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

constexpr DWORD kDefaultRunMs = 300;
constexpr DWORD kEndAfterEventMs = 1000;
constexpr const char* kLogName = "recorded_runs.log";

std::string log_path;

// The folder of this program's file, with a trailing backslash; empty when unknown.
std::string OwnFolder() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::string();
  const std::string file(path, length);
  const std::size_t slash = file.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}

// The value of environment variable `name`; empty when unset.
std::string Environment(const char* name) {
  char value[MAX_PATH + 1] = {};
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length == 0 || length >= sizeof value ? std::string() : std::string(value, length);
}

std::string Utf8(const std::wstring& text) {
  std::string bytes(text.size() * 3, '\0');
  bytes.resize(std::max(0, WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), bytes.data(),
                                               int(bytes.size()), nullptr, nullptr)));
  return bytes;
}

std::string WorkingDirectory() {
  wchar_t buffer[MAX_PATH + 1] = {};
  const DWORD length = GetCurrentDirectoryW(MAX_PATH + 1, buffer);
  return length == 0 || length > MAX_PATH ? std::string("?") : Utf8(std::wstring(buffer, length));
}

// Appends `line` and a line end in one write, so that lines of runs that overlap stay whole.
bool AppendLine(const std::string& line) {
  const HANDLE file = CreateFileA(log_path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const std::string bytes = line + "\n";
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  CloseHandle(file);
  return ok;
}

// Notes Ctrl+C or Ctrl+Break, then lets the default handling end the run.
BOOL WINAPI NoteControlEvent(DWORD type) {
  if (type == CTRL_C_EVENT) AppendLine("CTRL_C_EVENT");
  if (type == CTRL_BREAK_EVENT) AppendLine("CTRL_BREAK_EVENT");
  Sleep(kEndAfterEventMs);
  return FALSE;
}

}  // namespace

// A run:
// 1. find the log and take the lock file, which only one run can create and which goes
//    when the run ends, however it ends; when it exists, note OVERLAP;
// 2. from now on note a control event; append the working directory and the command line;
// 3. stay for the run's time.
int main() {
  log_path = Environment("ZUL_RECORDING_LOG");
  if (log_path.empty()) {
    const std::string folder = OwnFolder();
    if (folder.empty()) return 2;
    log_path = folder + kLogName;
  }
  const std::string lock_path = log_path + ".lock";
  const std::string run_ms = Environment("ZUL_RECORDING_RUN_MS");

  const HANDLE lock = CreateFileA(lock_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (lock == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    const std::string note = error == ERROR_FILE_EXISTS ? "OVERLAP" : "LOCK FAILED " + std::to_string(error);
    if (!AppendLine(note)) return 2;
  }
  SetConsoleCtrlHandler(NoteControlEvent, TRUE);
  const std::wstring command_line = GetCommandLineW();
  const std::size_t blank = command_line.find(L' ');
  const std::size_t start = blank == std::wstring::npos ? blank : command_line.find_first_not_of(L' ', blank);
  const std::wstring name = start == std::wstring::npos ? std::wstring() : command_line.substr(start);
  const HANDLE course_file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  const bool opens = course_file != INVALID_HANDLE_VALUE;
  if (opens) CloseHandle(course_file);
  const bool recorded =
      AppendLine(WorkingDirectory() + "|" + Utf8(command_line) + (opens ? "|opens" : "|cannot open"));
  Sleep(run_ms.empty() ? kDefaultRunMs : static_cast<DWORD>(std::strtoul(run_ms.c_str(), nullptr, 10)));
  if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
  return recorded ? 0 : 2;
}
