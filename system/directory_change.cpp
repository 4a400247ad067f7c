#include "system/directory_change.h"

#include "system/directory.h"

namespace zul {

std::optional<Text> PathToChangeTo(const Text& path) {
  Text used = path.substr(0, kMaxDirectoryPath);
  if (used.find_first_of("*?") != Text::npos) return std::nullopt;
  if (used.find('\0') != Text::npos) return std::nullopt;
  return used;
}

}  // namespace zul
