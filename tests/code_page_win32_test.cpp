// The code pages Windows knows, as the chooser reads names in them: the byte rule of
// upper-casing under code pages 437 and 850, letters of other code pages left alone, the
// East Asian double-byte code pages read by character, and the code page of a run.
#include "system/code_page_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "base/upper_case.h"
#include "system/system.h"

namespace zul {
namespace {

uint8_t ByteRule(uint8_t byte) {
  static const std::string kSmall = "\x84\x94\x81\x82\xA4\x86\x87", kCapital = "\x8E\x99\x9A\x90\xA5\x8F\x80";
  if (byte >= 'a' && byte <= 'z') return static_cast<uint8_t>(byte - 0x20);
  const std::size_t at = kSmall.find(static_cast<char>(byte));
  return at == std::string::npos ? byte : static_cast<uint8_t>(kCapital[at]);
}

TEST(WindowsCodePages, UpperCaseByTheByteRuleUnder437And850) {
  for (const uint32_t number : {437u, 850u}) {
    const std::unique_ptr<CodePage> code_page = WindowsCodePage(number);
    ASSERT_NE(code_page, nullptr) << number;
    for (int b = 1; b < 256; ++b) {
      const std::string name(1, static_cast<char>(b));
      EXPECT_EQ(UpperCasedText(name, *code_page), std::string(1, static_cast<char>(ByteRule(uint8_t(b)))))
          << "code page " << number << ", byte " << b;
    }
  }
}

TEST(WindowsCodePages, ReadAndSpellCharactersByTheirOwnBytes) {
  struct Row {
    uint32_t number;
    std::string bytes;
    char32_t character;  // what the bytes spell; 0 for nothing
    std::size_t length;
  };
  const Row rows[] = {
      {437, "\x81", U'\u00FC', 1},     {850, "\xD0", U'\u00F0', 1},
      {866, "\x84", U'\u0414', 1},     {1252, "\xFC", U'\u00FC', 1},
      {932, "\x93\xFA", U'\u65E5', 2}, {932, "\x93", 0, 0},
      {932, "\x83\x41", U'\u30A2', 2}, {932, "a", U'a', 1},
  };
  for (const Row& row : rows) {
    const std::unique_ptr<CodePage> code_page = WindowsCodePage(row.number);
    ASSERT_NE(code_page, nullptr) << row.number;
    const Spelled spelled = code_page->Decode(row.bytes);
    EXPECT_EQ(spelled.length, row.length) << row.number;
    if (row.length == 0) continue;
    EXPECT_EQ(spelled.character, row.character) << row.number;
    std::string spelled_back;
    EXPECT_TRUE(code_page->Encode(row.character, spelled_back)) << row.number;
    EXPECT_EQ(spelled_back, row.bytes) << row.number;
  }
  // A trail byte that is an ASCII letter belongs to its character and stays.
  EXPECT_EQ(UpperCasedText("\x83\x61.zul", *WindowsCodePage(932)), "\x83\x61.ZUL");
  // Under 866 the letters of the byte rule are Cyrillic and stay; u-umlaut has no byte there.
  const std::unique_ptr<CodePage> cp866 = WindowsCodePage(866);
  EXPECT_EQ(UpperCasedText("\x84\x94\x81.zul", *cp866), "\x84\x94\x81.ZUL");
  std::string none;
  EXPECT_FALSE(cp866->Encode(U'\u00FC', none));
  EXPECT_TRUE(none.empty());
  // No best fit: a character with no byte of its own is not spelled by a stand-in.
  EXPECT_FALSE(WindowsCodePage(437)->Encode(U'\u0100', none));  // A with macron would be 'A'
  EXPECT_EQ(WindowsCodePage(65001), nullptr);
}

// The run's code page is the one the file calls use after the switch: a name made with the
// wide calls is listed by the byte calls in it.
TEST(WindowsCodePages, TheRunsCodePageIsTheOneTheFileCallsSpeak) {
  const CodePage& code_page = UseProgramCodePage();
  EXPECT_FALSE(AreFileApisANSI());
  std::string spelled;
  ASSERT_TRUE(code_page.Encode(U'\u00DC', spelled));
  const std::wstring wide_name = L"zul_cp_\u00DC.tmp";
  const HANDLE file = CreateFileW(wide_name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  WIN32_FIND_DATAA found;
  const HANDLE find = FindFirstFileA(("zul_cp_" + spelled + ".tmp").c_str(), &found);
  EXPECT_NE(find, INVALID_HANDLE_VALUE);
  if (find != INVALID_HANDLE_VALUE) {
    EXPECT_EQ(std::string(found.cFileName), "zul_cp_" + spelled + ".tmp");
    FindClose(find);
  }
  DeleteFileW(wide_name.c_str());
}

}  // namespace
}  // namespace zul
