#include "system/command_line.h"

namespace zul {

namespace {

bool IsSeparator(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<Text> SplitCommandLine(const Text& command_line) {
  const Text line = command_line.substr(0, command_line.find('\0'));
  std::vector<Text> words;
  if (line.empty()) return words;
  std::size_t at = 0;
  const std::size_t end = line.size();

  // 1. The program word: quotes toggle, everything else is taken as it stands.
  Text program;
  bool in_quotes = false;
  while (at < end && (in_quotes || !IsSeparator(line[at]))) {
    if (line[at] == '"') {
      in_quotes = !in_quotes;
    } else {
      program += line[at];
    }
    ++at;
  }
  words.push_back(program);

  // 2. The argument words.
  in_quotes = false;
  for (;;) {
    while (at < end && IsSeparator(line[at])) ++at;
    if (at == end) break;
    Text word;
    for (;;) {
      // 2a. A run of backslashes counts only when a quote follows it.
      std::size_t backslashes = 0;
      while (at < end && line[at] == '\\') {
        ++backslashes;
        ++at;
      }
      bool copy = true;
      if (at < end && line[at] == '"') {
        if (backslashes % 2 == 0) {
          if (in_quotes && at + 1 < end && line[at + 1] == '"') {
            ++at;  // "" inside quotes: the second quote is copied
          } else {
            copy = false;
            in_quotes = !in_quotes;
          }
        }
        backslashes /= 2;
      }
      word.append(backslashes, '\\');
      // 2b. The word ends at the end of the line or at a separator outside quotes.
      if (at == end || (!in_quotes && IsSeparator(line[at]))) break;
      if (copy) word += line[at];
      ++at;
    }
    words.push_back(word);
  }
  return words;
}

}  // namespace zul
