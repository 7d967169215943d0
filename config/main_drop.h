// What is dropped on the main window: files from the Windows shell become
// rows of the shown group, and rows dragged with the right button onto a
// group are moved or copied there.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace setwise {

// Adds one row per dropped file to the list and saves the group after each;
// returns the files left out, each with the reason.
std::vector<std::string> AddDroppedFiles(HDROP drop, HWND list);

// A drag of the selected rows begins (right: with the right button); the
// form holds the mouse until it ends.
void StartRowDrag(HWND form, bool right);
bool RowDragging();
// The drag ends at `screen`: over a group of `tree`, a right drag asks
// whether to move or copy the rows there.
void EndRowDrag(HWND tree, HWND form, POINT screen);
void CancelRowDrag();

}  // namespace setwise
