// THotKeyDlg: the special hotkeys dialog. Its eight shortcuts live as long
// as the program; FillForm loads the stored ones and SaveForm stores them.
#pragma once
#include <windows.h>

namespace setwise {

constexpr int kSpecialHotkeyCount = 8;

// Loads the stored hotkeys; a missing value leaves its shortcut as it was.
void HotKeyFillForm();
// Stores all eight shortcuts as REG_DWORD values; false when a write failed.
bool HotKeySaveForm();
// Shows the dialog modally with its top left corner at (x, y).
void ShowHotKeyDlg(HWND owner, int x, int y);

// The shortcut of row `index` in the stored format (0: none).
unsigned HotKeyShortcut(int index);
void SetHotKeyShortcut(int index, unsigned shortcut);

}  // namespace setwise
