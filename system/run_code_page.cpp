#include "system/run_code_page.h"

namespace zul {

RunCodePage ChooseRunCodePage(uint32_t ansi, uint32_t oem) {
  if (ansi == kUtf8CodePageNumber) return RunCodePage{kUtf8CodePageNumber, false};
  return RunCodePage{oem, true};
}

}  // namespace zul
