// Drives the real holm.exe from a test running in the same Wine desktop:
// starting and stopping it, its registry, real mouse and keyboard input,
// and the menus, dialogs and windows it shows. Each concern has its own
// header; this one brings them all.
#pragma once
#include "real_input.h"
#include "screen_dialogs.h"
#include "screen_menus.h"
#include "shell_process.h"
#include "test_files.h"
#include "test_registry.h"
#include "test_windows.h"
