// The splash dialog shown while the shell starts.
#pragma once
#include <windows.h>

namespace holm {

// Creates SPLASHDLG (or LAMESPLASHDLG at 8 bits per pixel or fewer) and
// makes its status line the status window.
void CreateSplash();

}  // namespace holm
