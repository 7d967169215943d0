// What a Window List choice does. Each action uses the window table of the
// last build once and releases it; each returns 1 when it acted, else 0.
#pragma once
#include <windows.h>

namespace holm {

// Restore all, minimize all, arrange the desktop, or bring the chosen
// window forward. The title entry (and any id below the windows') leaves
// the table as it is.
int ActOnWindowListChoice(WPARAM id);

// Closes, hides, or ends the process of the chosen window.
int CloseChosenWindow(WPARAM id);
int HideChosenWindow(WPARAM id);
int EndChosenWindowProcess(WPARAM id);

}  // namespace holm
