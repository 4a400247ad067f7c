#include "system/directory_change.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "system/directory.h"

namespace zul {
namespace {

TEST(PathToChangeTo, CutsAt255BytesThenRefusesWildcardsAndZeroBytes) {
  const Text full(kMaxDirectoryPath, 'd');
  struct Row {
    const char* what;
    Text path;
    std::optional<Text> used;
  };
  const Row rows[] = {
      {"a plain path", "/courses/", "/courses/"},
      {"the empty path", "", ""},
      {"255 bytes", full, full},
      {"cut after 255 bytes", full + "/more", full},
      {"a star", "c*", std::nullopt},
      {"a question mark", "/q?/", std::nullopt},
      {"a zero byte", Text("a\0b", 3), std::nullopt},
      {"a star at byte 255", full.substr(1) + "*", std::nullopt},
      {"wildcards and a zero byte after the cut", full + Text("*?\0", 3), full},
  };
  for (const Row& row : rows) EXPECT_EQ(PathToChangeTo(row.path), row.used) << row.what;
}

}  // namespace
}  // namespace zul
