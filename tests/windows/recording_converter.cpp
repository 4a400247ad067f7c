// A Windows test program that stands in for the converter and records how it was started. Each
// run appends one line to recorded_runs.log in the program's own folder: its working directory,
// a '|', and its command line exactly as the system hands it over. Every run lasts about 300 ms
// and holds a lock file meanwhile; a run that finds the lock taken appends a line OVERLAP (and
// one it cannot take for another reason, LOCK FAILED and the error code), so runs that are not
// strictly one after the other are seen. Exit code 0; 2 when it cannot record.
#include <windows.h>

#include <string>

namespace {

constexpr DWORD kRunMs = 300;
constexpr const char* kLogName = "recorded_runs.log";
constexpr const char* kLockName = "recorded_runs.lock";

// The folder of this program's file, with a trailing backslash; empty when unknown.
std::string OwnFolder() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::string();
  const std::string file(path, length);
  const std::size_t slash = file.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}

std::string WorkingDirectory() {
  char buffer[MAX_PATH + 1] = {};
  const DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
  return length == 0 || length >= sizeof buffer ? std::string("?") : std::string(buffer, length);
}

// Appends `line` and a line end in one write, so that lines of runs that overlap stay whole.
bool AppendLine(const std::string& log, const std::string& line) {
  const HANDLE file = CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const std::string bytes = line + "\n";
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  CloseHandle(file);
  return ok;
}

}  // namespace

// A run:
// 1. take the lock file, which only one run can create; when it exists, note OVERLAP;
// 2. append the working directory and the command line;
// 3. stay for kRunMs, then give the lock back (only the run that took it).
int main() {
  const std::string folder = OwnFolder();
  if (folder.empty()) return 2;
  const std::string log = folder + kLogName;
  const std::string lock_path = folder + kLockName;

  const HANDLE lock =
      CreateFileA(lock_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (lock == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    const std::string note = error == ERROR_FILE_EXISTS ? "OVERLAP" : "LOCK FAILED " + std::to_string(error);
    if (!AppendLine(log, note)) return 2;
  }
  const bool recorded = AppendLine(log, WorkingDirectory() + "|" + GetCommandLineA());
  Sleep(kRunMs);
  if (lock != INVALID_HANDLE_VALUE) {
    CloseHandle(lock);
    DeleteFileA(lock_path.c_str());
  }
  return recorded ? 0 : 2;
}
