// The shell commands of the Init Menu's Special submenu and "Run...".
#pragma once
#include <windows.h>

namespace holm {

// Runs command `id` (6 to 21); other ids do nothing.
void RunShellCommand(WORD id);

}  // namespace holm
