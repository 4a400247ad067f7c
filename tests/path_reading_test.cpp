#include "consoletools/path_reading.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace zul {
namespace {

constexpr PathStyle kWin = PathStyle::kWindows;
constexpr PathStyle kPosix = PathStyle::kPosix;

TEST(PathReading, ReadsWhatTerminalsAndFileManagersHandOver) {
  struct Row {
    std::string text;
    PathStyle style;
    std::string path;
    bool quoted;
  };
  const Row rows[] = {
      // Windows consoles, Windows Terminal and Explorer's "Copy as path".
      {R"("C:\My Courses")", kWin, R"(C:\My Courses)", true},
      {" \t\"C:\\My Courses\" ", kWin, R"(C:\My Courses)", true},
      {R"(C:\"My Courses"\x)", kWin, R"(C:\My Courses\x)", true},
      {R"(")", kWin, "", true},
      // PowerShell in a VS Code terminal, and a plain single-quoted string.
      {R"(& 'C:\It''s')", kWin, R"(C:\It's)", true},
      {R"(& 'C:\My Cou)", kWin, R"(C:\My Cou)", true},
      {R"(&  "C:\My Courses")", kWin, R"(C:\My Courses)", true},
      {R"('C:\It''s')", kWin, R"(C:\It's)", true},
      {"''", kWin, "", true},
      {R"('C:\x)", kWin, R"('C:\x)", false},
      {"& ", kWin, "& ", false},
      {R"(& 'C:\a' 'C:\b')", kWin, R"(& 'C:\a' 'C:\b')", false},
      {R"('C:\it'\''s')", kWin, R"('C:\it'\''s')", false},
      // GNOME Terminal, Konsole and VS Code on Linux.
      {"'/home/u/My Courses' ", kPosix, "/home/u/My Courses", true},
      {"  '/home/u/it'\\''s'\t", kPosix, "/home/u/it's", true},
      {"'/home/u/My Cou", kPosix, "/home/u/My Cou", true},
      {R"("/u/\$x \"q\" \a \`\\"\ b"c\)", kPosix, R"(/u/$x "q" \a `\ bc\)", true},
      {"\"", kPosix, "", true},
      {"''", kPosix, "", true},
      {"'/a' '/b'", kPosix, "'/a' '/b'", false},
      {R"("/a b" /c)", kPosix, R"("/a b" /c)", false},
      {R"(& '/x')", kPosix, R"(& '/x')", false},
      // File addresses.
      {"file:///home/u/My%20Courses", kPosix, "/home/u/My Courses", true},
      {" 'FILE://localhost/home/u/x%c3%BC' ", kPosix, "/home/u/x\xC3\xBC", true},
      {"file://other/home/u/x", kPosix, "file://other/home/u/x", false},
      {"file:///a%2/b%zz%00%4", kPosix, "/a%2/b%zz%00%4", true},
      {"file://", kPosix, "file://", false},
      {"file:///C:/My%20Courses", kWin, R"(C:\My Courses)", true},
      {R"("file://localhost/C:/x/")", kWin, R"(C:\x\)", true},
      {"file://server/share/x", kWin, R"(\\server\share\x)", true},
      {"file://", kWin, "file://", false},
      // Anything else is the caller's to trim and use.
      {R"( c:\mydirectory\myfiles\ )", kPosix, R"( c:\mydirectory\myfiles\ )", false},
      {R"( c:\mydirectory\myfiles\ )", kWin, R"( c:\mydirectory\myfiles\ )", false},
      {R"(/tmp/a\b"c' )", kPosix, R"(/tmp/a\b"c' )", false},
      {"", kPosix, "", false},
  };
  for (const Row& row : rows) {
    const PathReading reading = ReadPath(row.text, row.style);
    EXPECT_EQ(reading.path, row.path) << row.text;
    EXPECT_EQ(reading.quoted, row.quoted) << row.text;
  }
}

TEST(PathReading, ExpandsTheHomeFolderAsAShellDoes) {
  const auto home_of = [](std::string_view user) { return user == "ann" ? Text("/home/ann") : Text(); };
  const struct {
    std::string path;
    std::string home;
    std::string expanded;
  } rows[] = {
      {"~", "/home/u", "/home/u"}, {"~/x", "/home/u", "/home/u/x"},
      {"~/x", "/", "/x"},          {"~ann/x", "", "/home/ann/x"},
      {"~ann", "", "/home/ann"},   {"~bob/x", "/home/u", "~bob/x"},
      {"~/x", "", "~/x"},          {"x~", "/home/u", "x~"},
      {"", "/home/u", ""},
  };
  for (const auto& row : rows) EXPECT_EQ(WithHomeFolder(row.path, row.home, home_of), row.expanded) << row.path;
  EXPECT_EQ(WithHomeFolder("~ann", "/home/u", nullptr), "~ann");
}

}  // namespace
}  // namespace zul
