// The main window's toolbar: eight tool buttons with captions, their hints,
// and the captions coloured while the mouse is over a button's text.
#pragma once
#include <windows.h>
#include <commctrl.h>

namespace setwise {

HWND CreateMainToolbar(HWND form, HINSTANCE instance);
HWND MainToolbar();
int ToolbarHeight();
// The toolbar's notifications (custom draw, hints) as they reach the main window.
LRESULT OnToolbarNotify(NMHDR* hdr);
// Every caption in the text colour again.
void ClearToolbarHighlight();

}  // namespace setwise
