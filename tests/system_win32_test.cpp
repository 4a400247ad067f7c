// The Windows file-system and process seam (system/*_win32.cpp) against the real system calls:
// what the directory search leaves out, where a directory path is cut, the error mode around
// every call, and how the converter is started.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "system/directory.h"
#include "system/process.h"
#include "system/system.h"

namespace zul {
namespace {

// A program built beside the test program, which the converter's search finds there first.
const char kRecorder[] = "zul_recording_converter";

std::string CurrentDirectory() {
  char buffer[MAX_PATH] = {};
  return std::string(buffer, GetCurrentDirectoryA(MAX_PATH, buffer));
}

// Removes `path` and everything in it, read-only files included.
void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA entry;
  const HANDLE find = FindFirstFileA((path + "\\*").c_str(), &entry);
  for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileA(find, &entry)) {
    const std::string name = entry.cFileName, inner = path + "\\" + name;
    if (name == "." || name == "..") continue;
    SetFileAttributesA(inner.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      RemoveTree(inner);
    else
      DeleteFileA(inner.c_str());
  }
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
  RemoveDirectoryA(path.c_str());
}

// A fresh folder under the temporary folder, the working directory while this lives; the
// previous working directory comes back and the folder goes at the end.
class ScratchFolder {
 public:
  ScratchFolder() : previous_(CurrentDirectory()) {
    char temporary[MAX_PATH] = {}, name[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temporary);
    GetTempFileNameA(temporary, "zul", 0, name);  // makes a file of that name
    DeleteFileA(name);
    CreateDirectoryA(name, nullptr);
    SetCurrentDirectoryA(name);
    path_ = CurrentDirectory();
  }
  ~ScratchFolder() {
    SetCurrentDirectoryA(previous_.c_str());
    RemoveTree(path_);
  }
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string previous_, path_;
};

TEST(DirectorySearchWin32, LeavesOutHiddenSystemAndDirectoryEntriesAndKeepsReadOnlyOnes) {
  ScratchFolder scratch;
  struct Entry {
    const char* name;
    DWORD attributes;  // FILE_ATTRIBUTE_DIRECTORY makes a folder
    bool listed;
  };
  const Entry entries[] = {
      {"plain.zul", FILE_ATTRIBUTE_NORMAL, true},    {"readonly.zul", FILE_ATTRIBUTE_READONLY, true},
      {"archive.zul", FILE_ATTRIBUTE_ARCHIVE, true}, {"hidden.zul", FILE_ATTRIBUTE_HIDDEN, false},
      {"system.zul", FILE_ATTRIBUTE_SYSTEM, false},  {"folder.zul", FILE_ATTRIBUTE_DIRECTORY, false},
      {"notes.txt", FILE_ATTRIBUTE_NORMAL, false},
  };
  std::vector<Text> expected;
  for (const Entry& entry : entries) {
    const std::string path = scratch / entry.name;
    if (entry.attributes == FILE_ATTRIBUTE_DIRECTORY) {
      ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    } else {
      const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
      ASSERT_NE(file, INVALID_HANDLE_VALUE);
      CloseHandle(file);
      ASSERT_TRUE(SetFileAttributesA(path.c_str(), entry.attributes));
    }
    if (entry.attributes != FILE_ATTRIBUTE_NORMAL) {
      ASSERT_TRUE(GetFileAttributesA(path.c_str()) & entry.attributes) << entry.name << " did not keep its kind";
    }
    if (entry.listed) expected.push_back(entry.name);
  }
  std::vector<Text> listed;
  for (Text name = StartDirectorySearch("*.ZUL", 0); !name.empty() && listed.size() < 20;
       name = NextDirectoryName())
    listed.push_back(name);
  std::sort(listed.begin(), listed.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(listed, expected);
}

TEST(ChangeWorkingDirectoryWin32, CutsThePathTo255BytesAndThenRefusesWildcards) {
  ScratchFolder scratch;
  const std::string sub = scratch / "sub";
  ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
  ASSERT_LT(sub.size(), 200u) << "temporary folder path too long for this test";
  // The folder sub spelled with "\." steps (and a last '\') to exactly `length` bytes.
  const auto spelled = [&](std::size_t length) {
    std::string path = sub;
    while (path.size() + 2 <= length) path += "\\.";
    return path.size() < length ? path + "\\" : path;
  };
  ASSERT_EQ(spelled(255).size(), 255u);
  struct Case {
    std::string path;
    bool changes;
  };
  const Case cases[] = {
      {spelled(255) + "\\missing", true},  // what does not exist lies beyond the cut
      {spelled(255) + "*", true},          // so does the wildcard
      {spelled(254) + "*", false},         // a wildcard in the used part: refused
      {spelled(254) + "?", false},        {scratch / "missing", false},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(SetCurrentDirectoryA(scratch.Path().c_str()));
    EXPECT_EQ(ChangeWorkingDirectory(c.path), c.changes) << c.path.size() << " bytes: " << c.path;
    EXPECT_EQ(CurrentDirectory(), c.changes ? sub : scratch.Path()) << c.path;
  }
}

TEST(ErrorModeWin32, EveryFileSystemAndProcessCallGivesThePreviousModeBack) {
  ScratchFolder scratch;
  CloseHandle(CreateFileA((scratch / "a.zul").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
  CloseHandle(CreateFileA((scratch / "b.zul").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
  SetEnvironmentVariableA("ZUL_RECORDING_LOG", (scratch / "runs.log").c_str());
  const std::pair<const char*, std::function<void()>> calls[] = {
      {"change to a folder", [&] { ChangeWorkingDirectory(scratch.Path()); }},
      {"change to nothing", [&] { ChangeWorkingDirectory(scratch / "missing"); }},
      {"read the working directory", [] { ReadWorkingDirectory(); }},
      {"start a search", [] { StartDirectorySearch("*.ZUL", 0); }},
      {"next name", [] { NextDirectoryName(); }},
      {"start a missing program", [] { StartAndWait("zul_no_such_program   a.zul"); }},
      {"start and wait", [] { StartAndWait(kRecorder); }},
  };
  for (UINT previous : {UINT{0}, UINT{SEM_NOGPFAULTERRORBOX}}) {
    for (const auto& [name, call] : calls) {
      SetErrorMode(previous);
      call();
      EXPECT_EQ(GetErrorMode(), previous) << name;
    }
  }
  SetEnvironmentVariableA("ZUL_RECORDING_LOG", nullptr);
  SetErrorMode(0);
}

TEST(StartAndWaitWin32, StartsTheFirst256BytesQuietlyOrNothingWhenTheProgramIsMissing) {
  ScratchFolder scratch;  // the working directory: the converter lies only beside the tests
  const std::string log = scratch / "runs.log";
  SetEnvironmentVariableA("ZUL_RECORDING_LOG", log.c_str());
  const std::string long_line = std::string(kRecorder) + "   " + std::string(300, 'n');
  struct Case {
    std::string line;
    bool started;
    std::string recorded;
  };
  const Case cases[] = {
      {long_line, true, scratch.Path() + "|" + long_line.substr(0, 256) + "|cannot open\n"},
      {"zul_no_such_converter   A.ZUL", false, ""},
  };
  for (const Case& c : cases) {
    DeleteFileA(log.c_str());
    SetErrorMode(0);
    // Watches the error mode from another thread while the run goes on.
    std::atomic<bool> done{false}, quiet_seen{false};
    std::thread watcher([&] {
      for (; !done; Sleep(1)) quiet_seen = quiet_seen || GetErrorMode() == kQuietErrorMode;
    });
    EXPECT_EQ(StartAndWait(c.line), c.started) << c.line;
    done = true;
    watcher.join();
    std::ifstream in(log, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), c.recorded);
    EXPECT_TRUE(quiet_seen || !c.started) << "the run was not waited for with the error mode 0x8001";
  }
  SetEnvironmentVariableA("ZUL_RECORDING_LOG", nullptr);
}

}  // namespace
}  // namespace zul
