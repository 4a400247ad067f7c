// A scratch directory for tests that touch the file system, and small file helpers.
// POSIX only; it holds no product code.
#pragma once

#include <string>

namespace zul::testing {

// A fresh directory under the system's temporary folder, removed with everything in it when
// this ends. The working directory at creation comes back at the end too.
class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  // The directory's absolute path, symbolic links resolved, without a trailing '/'.
  const std::string& Path() const { return path_; }
  // Path() + "/" + name.
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
  std::string previous_working_directory_;
};

// The working directory, or the empty text when it cannot be read.
std::string WorkingDirectory();

// Writes `bytes` to `path`, replacing it; false on failure.
bool WriteBytes(const std::string& path, const std::string& bytes);

// The bytes of `path`, or the empty text when it cannot be read.
std::string ReadBytes(const std::string& path);

// The path of a program built into the same folder as the test program.
std::string ProgramBesideTests(const std::string& name);

// The number of file descriptors the process has open.
int OpenDescriptorCount();

}  // namespace zul::testing
