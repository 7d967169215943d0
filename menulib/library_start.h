// The library's start-up in the shell program and the rebuild of its menus.
#pragma once
#include <windows.h>

namespace holm {

// Reads the options, loads the images and the cloak, builds the Init Menu
// and runs the start-up programs when asked; returns the address of the
// hook's last-call tick count (null when start-up failed).
volatile DWORD* StartLibrary(HINSTANCE resources, HWND statusWindow);

// Rebuilds the Init Menu and reloads the cloak; while a menu is on screen
// the rebuild waits until it has closed. Returns 1.
int ResetMenus();

// Starts the configuration program and waits until its window has come
// and gone (or it ended without one).
void RunConfigProgramAndWait();

}  // namespace holm
