// Cutting a command line into words the way a Windows C runtime builds argv.
// Pure and shared by both platforms; it starts nothing (process.h does).
#pragma once

#include <cstddef>
#include <vector>

#include "base/text.h"

namespace zul {

// The bytes of a command line that reach the operating system; the rest is cut off.
constexpr std::size_t kMaxCommandLine = 256;

// The words of a command line, read up to its first zero byte:
// - the first word (the program) ends at the first blank or tab outside quotes; its quotes only
//   toggle quoting and its backslashes are literal; a line that starts with a blank or tab has
//   an empty first word;
// - every later word is separated by blanks and tabs; 2n backslashes and a quote give n
//   backslashes and toggle quoting, 2n+1 backslashes and a quote give n backslashes and a
//   literal quote; backslashes not before a quote are literal; "" inside quotes gives a quote;
//   an unclosed quote runs to the end of the line.
// The empty line has no words.
std::vector<Text> SplitCommandLine(const Text& command_line);

}  // namespace zul
