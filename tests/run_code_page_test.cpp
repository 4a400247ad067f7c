#include "system/run_code_page.h"

#include <gtest/gtest.h>

namespace zul {
namespace {

// The process's ANSI and OEM code pages as Windows reports them, and the run they give.
TEST(ChooseRunCodePage, UsesUtf8WhereTheAnsiCodePageIsUtf8AndElseTheOemCodePageSwitchedTo) {
  struct Row {
    const char* what;
    uint32_t ansi, oem;
    RunCodePage run;
  };
  const Row rows[] = {
      {"the manifest taken (both UTF-8)", 65001, 65001, {65001, false}},
      {"the manifest taken, the OEM code page kept", 65001, 437, {65001, false}},
      {"Western Europe before 1903", 1252, 437, {437, true}},
      {"Western Europe before 1903, code page 850", 1252, 850, {850, true}},
      {"Russian before 1903", 1251, 866, {866, true}},
      {"Japanese before 1903", 932, 932, {932, true}},
      {"the OEM code page alone UTF-8", 1252, 65001, {65001, true}},
  };
  for (const Row& row : rows) EXPECT_EQ(ChooseRunCodePage(row.ansi, row.oem), row.run) << row.what;
}

}  // namespace
}  // namespace zul
