// Fuzzes the command-line word splitter with arbitrary lines. Checks that the
// words are bounded by the line, that nothing after a zero byte counts, that
// blanks and quotes reach a word only through quoting, that a line without
// quotes splits at blanks and tabs alone, and that the words, quoted back into a
// line, split into the same words again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "system/command_line.h"

namespace zul {
namespace {

bool IsSeparator(char c) { return c == ' ' || c == '\t'; }

bool HasSeparator(const Text& text) { return text.find_first_of(" \t") != Text::npos; }

// The program word back as the line's start: quoted when empty or when it holds
// a separator (it never holds a quote).
Text QuoteProgram(const Text& program) {
  if (!program.empty() && !HasSeparator(program)) return program;
  return "\"" + program + "\"";
}

// An argument word back as the line's text, so that the splitter gives it again:
// as it stands when it holds no separator or quote, else in quotes, with the
// backslashes before a quote (or before the closing quote) doubled and every
// quote escaped.
Text QuoteArgument(const Text& word) {
  if (!word.empty() && word.find_first_of(" \t\"") == Text::npos) return word;
  Text quoted = "\"";
  std::size_t backslashes = 0;
  for (char c : word) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    if (c == '"') {
      quoted.append(2 * backslashes + 1, '\\');
    } else {
      quoted.append(backslashes, '\\');
    }
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, '\\');
  quoted += '"';
  return quoted;
}

// Blank-and-tab splitting with no quoting rules: the reference for lines
// without quotes. A line that starts with a separator has an empty first word.
std::vector<Text> SplitAtSeparators(const Text& line) {
  std::vector<Text> words;
  if (line.empty()) return words;
  if (IsSeparator(line[0])) words.emplace_back();
  Text word;
  for (char c : line) {
    if (!IsSeparator(c)) {
      word += c;
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

}  // namespace
}  // namespace zul

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace zul;
  const Text input(reinterpret_cast<const char*>(data), size);
  const std::vector<Text> words = SplitCommandLine(input);

  // Only the bytes before the first zero byte count.
  const Text line = input.substr(0, input.find('\0'));
  FUZZ_CHECK(SplitCommandLine(line) == words);
  FUZZ_CHECK(words.empty() == line.empty());

  // The words are bounded by the line: no more of them than bytes and one, no more bytes in them.
  FUZZ_CHECK(words.size() <= line.size() + 1);
  std::size_t total = 0;
  for (const Text& word : words) {
    total += word.size();
    FUZZ_CHECK(word.find('\0') == Text::npos);
  }
  FUZZ_CHECK(total <= line.size());

  // Quotes only group and escape: without one in the line, no word holds a
  // separator or a quote, and the words are what separators leave.
  const bool quoted = line.find('"') != Text::npos;
  if (!words.empty()) FUZZ_CHECK(words[0].find('"') == Text::npos);
  for (const Text& word : words)
    if (!quoted) FUZZ_CHECK(!HasSeparator(word) && word.find('"') == Text::npos);
  for (std::size_t i = 1; i < words.size(); ++i) FUZZ_CHECK(!words[i].empty() || quoted);
  if (!quoted) FUZZ_CHECK(words == SplitAtSeparators(line));

  // Quoted back into a line, the words split into themselves.
  if (!words.empty()) {
    Text rebuilt = QuoteProgram(words[0]);
    for (std::size_t i = 1; i < words.size(); ++i) rebuilt += " " + QuoteArgument(words[i]);
    FUZZ_CHECK(SplitCommandLine(rebuilt) == words);
  }
  return 0;
}
