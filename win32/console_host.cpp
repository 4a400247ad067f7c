#include "win32/console_host.h"

#include <algorithm>

#include "base/upper_case.h"

namespace zul {

namespace {

constexpr std::string_view kPseudoConsoleClass = "PseudoConsoleWindow";

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return AsciiCapital(x) == AsciiCapital(y); });
}

}  // namespace

ConsoleHost ConsoleHostOf(std::string_view window_class) {
  if (window_class.empty()) return ConsoleHost::kNoWindow;
  if (SameIgnoringCase(window_class, kPseudoConsoleClass)) return ConsoleHost::kPseudoConsole;
  return ConsoleHost::kWindow;
}

bool ProgramSetsSize(ConsoleHost host) { return host != ConsoleHost::kPseudoConsole; }

}  // namespace zul
