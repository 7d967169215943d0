// Drives the real holm.exe from a test running in the same Wine desktop.
// One header per concern; this one brings them all:
//   shell_process.h   starting and stopping holm.exe and helper programs
//   test_registry.h   the one registry writer (options, store, hotkeys, cloaks)
//   real_input.h      mouse and keyboard input, held modifier keys
//   screen_menus.h    the popup menus on screen, read through the menu spy
//   screen_dialogs.h  message boxes and windows of a process
//   test_windows.h    windows the test makes for the shell to act on
//   test_files.h      files and folders under the temp folder
// The end-to-end tests' fixture is shell_fixture.h; spy_client.h is the
// test's side of every spy DLL.
#pragma once
#include "real_input.h"
#include "screen_dialogs.h"
#include "screen_menus.h"
#include "shell_process.h"
#include "test_files.h"
#include "test_registry.h"
#include "test_windows.h"
