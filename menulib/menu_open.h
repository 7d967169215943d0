// Opening the two desktop menus at a screen point.
#pragma once

namespace holm {

void OpenInitMenu(int x, int y);
void OpenWindowList(int x, int y);

}  // namespace holm
