#include "tests/support/scratch_directory_posix.h"

#include <dirent.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace zul::testing {

ScratchDirectory::ScratchDirectory() : previous_working_directory_(WorkingDirectory()) {
  const char* temporary = std::getenv("TMPDIR");
  const bool has_temporary = temporary != nullptr && *temporary != '\0';
  std::string pattern = std::string(has_temporary ? temporary : "/tmp") + "/zul-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  char resolved[PATH_MAX];
  if (realpath(pattern.c_str(), resolved) == nullptr) throw std::runtime_error("realpath failed");
  path_ = resolved;
}

ScratchDirectory::~ScratchDirectory() {
  if (chdir(previous_working_directory_.c_str()) != 0) std::abort();
  // Give back the permissions a test may have taken away, so that everything can go.
  std::error_code error;
  for (auto it = std::filesystem::recursive_directory_iterator(path_, error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    if (it->is_directory(error) && !it->is_symlink(error)) {
      std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, error);
    }
  }
  std::filesystem::remove_all(path_, error);
}

std::string WorkingDirectory() {
  char buffer[PATH_MAX];
  return getcwd(buffer, sizeof buffer) != nullptr ? std::string(buffer) : std::string();
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return !out.fail();
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ProgramBesideTests(const std::string& name) {
  char buffer[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0) return name;
  const std::string self(buffer, static_cast<std::size_t>(length));
  return self.substr(0, self.rfind('/') + 1) + name;
}

int OpenDescriptorCount() {
  int count = 0;
  DIR* listing = opendir("/proc/self/fd");
  if (listing == nullptr) return -1;
  while (readdir(listing) != nullptr) ++count;
  closedir(listing);
  return count;
}

}  // namespace zul::testing
