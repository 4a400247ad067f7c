#include "chooser/course_file_table.h"

namespace zul {

void BuildCourseFileTable(RunState&, Services&) {}

}  // namespace zul
