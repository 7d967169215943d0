// The Window List: a menu of the top-level windows, built at every opening.
#pragma once
#include <windows.h>

namespace holm {

// Builds the Window List menu and the window table; returns the root menu.
HMENU BuildWindowList();

// Destroys the menu and its images; the window table stays for the action.
void DestroyWindowList();

}  // namespace holm
