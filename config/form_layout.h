// Forms laid out in pixels: an empty dialog template gives the caption,
// frame and font, and the controls are created from a table.
#pragma once
#include <windows.h>

#include "geometry.h"

namespace setwise {

struct ControlSpec {
    const char* className;
    const char* text;
    int id;
    DWORD style;  // WS_CHILD | WS_VISIBLE are added
    int x, y, width, height;
    DWORD exStyle = 0;
};

// Creates the controls in table order (which is also their tab order) with
// the dialog's font.
template <size_t N>
void CreateControls(HWND dialog, const ControlSpec (&layouts)[N]);
void CreateControl(HWND dialog, const ControlSpec& layout);

// The work area of the screen.
holm::Rect WorkArea();

// Gives the window this client size and puts its top left corner at (x, y),
// moved as far as needed to lie wholly inside the work area.
void PlaceForm(HWND form, int x, int y, int clientWidth, int clientHeight);

template <size_t N>
void CreateControls(HWND dialog, const ControlSpec (&layouts)[N]) {
    for (const ControlSpec& layout : layouts) CreateControl(dialog, layout);
}

}  // namespace setwise
