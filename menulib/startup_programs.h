// The programs that Windows lists for start-up: the run keys and the Load
// and Run values of the Windows key. Run once per logon start of the shell.
#pragma once
#include <windows.h>

namespace holm {

void RunStartupPrograms();

// Starts every text value of one key; values that started are deleted when
// `removeStarted` is set.
void RunKeyPrograms(HKEY root, const char* subkey, bool removeStarted);

}  // namespace holm
