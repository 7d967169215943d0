// Starting what an Init Menu entry names.
#pragma once
#include <windows.h>

namespace holm {

// Expands environment references in `command`, splits program and
// parameters and starts it with ShellExecute in `directory` (none: the
// current directory). An empty command succeeds at once. Returns 1 on
// success, 0 on failure.
int ShellRun(const char* command, const char* directory, int show);

}  // namespace holm
