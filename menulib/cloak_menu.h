// The cloaked menu engine: shows a menu tree level by level in windows of
// the class "HolmMenu", drawn with the current cloak, and follows the mouse
// and the keyboard until an item is chosen or the menu is dismissed.
#pragma once
#include <windows.h>

namespace holm {

// Registers the menu window class with the resource module; an existing
// registration is kept.
void RegisterMenuClass(HINSTANCE resources);

// Shows `menu` with the right edge of its root level at x and its top at y
// and returns when every level is closed. A chosen item is posted to `owner`
// as WM_COMMAND(id, 0); nothing is posted when the menu is dismissed. With
// `windowList` the pointer shows the action that Shift and Ctrl select.
void TrackCloakedMenu(HMENU menu, int x, int y, HWND owner, bool windowList);

}  // namespace holm
