#include "base/text.h"

#include <algorithm>
#include <cstring>

namespace zul {

Text Trim(const Text& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == Text::npos) return Text();
  const std::size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

int CompareTexts(const Text& a, const Text& b) {
  const std::size_t common = std::min(a.size(), b.size());
  const int by_bytes = common == 0 ? 0 : std::memcmp(a.data(), b.data(), common);
  if (by_bytes != 0) return by_bytes;
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

}  // namespace zul
