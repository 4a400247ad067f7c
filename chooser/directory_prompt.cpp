#include "chooser/directory_prompt.h"

namespace zul {

void PromptForCourseDirectory(RunState&, Services&) {}

}  // namespace zul
