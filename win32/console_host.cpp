#include "win32/console_host.h"

#include <algorithm>

namespace zul {

namespace {

constexpr std::string_view kPseudoConsoleClass = "PseudoConsoleWindow";

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return Lower(x) == Lower(y); });
}

}  // namespace

ConsoleHost ConsoleHostOf(std::string_view window_class) {
  if (window_class.empty()) return ConsoleHost::kNoWindow;
  if (SameIgnoringCase(window_class, kPseudoConsoleClass)) return ConsoleHost::kPseudoConsole;
  return ConsoleHost::kWindow;
}

bool ProgramSetsSize(ConsoleHost host) { return host != ConsoleHost::kPseudoConsole; }

}  // namespace zul
