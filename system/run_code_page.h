// Which code page a run on Windows speaks, decided from the process's ANSI and OEM code
// pages. The decision alone, apart from the calls that read them and act on it, so that
// it builds and is tested on every platform.
#pragma once

#include <cstdint>

namespace zul {

// The number Windows gives UTF-8 as a code page.
constexpr uint32_t kUtf8CodePageNumber = 65001;

// The code page of a run's texts, and whether the file-system and process calls (which
// speak the ANSI code page) are to be switched to the OEM one to speak it too.
struct RunCodePage {
  uint32_t number = 0;
  bool file_calls_to_oem = false;
  bool operator==(const RunCodePage&) const = default;
};

// UTF-8, the calls left as they are, when the ANSI code page is UTF-8: the program's
// manifest took effect (Windows 10 1903 and later) or the whole system runs UTF-8.
// Otherwise, as on older Windows, the OEM code page, the console's own, with the calls
// switched to it. Either way what is listed, typed, shown and handed to the converter
// is spelled alike.
RunCodePage ChooseRunCodePage(uint32_t ansi, uint32_t oem);

}  // namespace zul
