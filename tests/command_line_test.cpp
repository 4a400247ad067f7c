#include "system/command_line.h"

#include <gtest/gtest.h>

namespace zul {
namespace {

struct SplitCase {
  Text line;
  std::vector<Text> words;
};

void ExpectSplits(const std::vector<SplitCase>& cases) {
  for (const SplitCase& each : cases) {
    EXPECT_EQ(SplitCommandLine(each.line), each.words) << "line: [" << each.line << "]";
  }
}

TEST(SplitCommandLine, SeparatesWordsByBlanksAndTabs) {
  ExpectSplits({
      {"", {}},
      {"vizozava", {"vizozava"}},
      {"vizozava   A.ZUL", {"vizozava", "A.ZUL"}},
      {"vizozava   c:\\my files\\A.ZUL", {"vizozava", "c:\\my", "files\\A.ZUL"}},
      {"a\tb \t c", {"a", "b", "c"}},
      {"a b   ", {"a", "b"}},
      {"a\nb\rc", {"a\nb\rc"}},
      {"a \x01\x84\xFF", {"a", "\x01\x84\xFF"}},
  });
}

TEST(SplitCommandLine, TakesBackslashesLiterallyUnlessAQuoteFollows) {
  ExpectSplits({
      {"p d:\\courses\\\\A.ZUL", {"p", "d:\\courses\\\\A.ZUL"}},
      {"p a\\", {"p", "a\\"}},
      {"p a\\\\", {"p", "a\\\\"}},
      {"p \\\\server\\share", {"p", "\\\\server\\share"}},
      // 2n backslashes and a quote: n backslashes, quoting toggled.
      {"p a\\\\\"b c\"", {"p", "a\\b c"}},
      {"p a\\\\\\\\\"b\"", {"p", "a\\\\b"}},
      // 2n+1 backslashes and a quote: n backslashes and a literal quote.
      {"p a\\\"b", {"p", "a\"b"}},
      {"p a\\\\\\\"b c", {"p", "a\\\"b", "c"}},
      {"p \"a\\\"b c\"", {"p", "a\"b c"}},
      {"p \"c:\\dir\\\\\" next", {"p", "c:\\dir\\", "next"}},
  });
}

TEST(SplitCommandLine, QuotesGroupBlanksAndToggle) {
  ExpectSplits({
      {"p \"a b\"", {"p", "a b"}},
      {"p a\"b c\"d e", {"p", "ab cd", "e"}},
      {"p \"\"", {"p", ""}},
      {"p \"\" x", {"p", "", "x"}},
      {"p \"a\"\"b\"", {"p", "a\"b"}},
      {"p \"a\"\"\"", {"p", "a\""}},
      {"p \"\"\"\"", {"p", "\""}},
      {"p a\"\"b", {"p", "ab"}},
      {"p \"unclosed  blanks\tkept", {"p", "unclosed  blanks\tkept"}},
      {"p \"a b\" \"c", {"p", "a b", "c"}},
      {"p 'a b'", {"p", "'a", "b'"}},
  });
}

TEST(SplitCommandLine, ProgramWordTakesQuotesAsTogglesAndBackslashesLiterally) {
  ExpectSplits({
      {"\"c:\\program files\\vizozava\" A.ZUL", {"c:\\program files\\vizozava", "A.ZUL"}},
      {"c:\\dir\\\"x y\" z", {"c:\\dir\\x y", "z"}},
      {"a\\\"b c", {"a\\b c"}},
      {"\"\" x", {"", "x"}},
      {"\"unclosed program", {"unclosed program"}},
      {" x y", {"", "x", "y"}},
      {"\tx", {"", "x"}},
  });
}

TEST(SplitCommandLine, StopsAtAZeroByte) {
  ExpectSplits({
      {Text("a b\0c d", 7), {"a", "b"}},
      {Text("\0a", 2), {}},
      {Text("p \"x\0y\"", 7), {"p", "x"}},
  });
}

}  // namespace
}  // namespace zul
