#include "chooser/converter_runs.h"

namespace zul {

void RunConverter(RunState&, Services&) {}

}  // namespace zul
