// Starting what an Init Menu entry names.
#pragma once
#include <windows.h>

namespace holm {

// Expands environment references in `command`, splits program and
// parameters and starts it with ShellExecute in `directory` (none: the
// current directory). An empty command succeeds at once. Returns 1 on
// success, 0 on failure.
int ShellRun(const char* command, const char* directory, int show);

// Starts launch entry `index` (clearing its folder monitor's change mark);
// 0 when there is no such entry. A failed start is reported in a message
// box, whose answer is returned.
int RunLaunchEntry(int index);

}  // namespace holm
