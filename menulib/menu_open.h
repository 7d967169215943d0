// Opening the two desktop menus at a screen point.
#pragma once

namespace holm {

void OpenInitMenu(int x, int y);
void OpenWindowList(int x, int y);

// Opens a menu at the pointer, once the library is started and the menus
// are ready.
void ShowInitMenuAtCursor();
void ShowWindowListAtCursor();

}  // namespace holm
