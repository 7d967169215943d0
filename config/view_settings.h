// The main window's size, column widths and tree width kept in the
// product key, and the rule that keeps a saved window on the screen.
#pragma once

namespace setwise {

struct ViewSettings {
    int top = 434, left = 269, height = 480, width = 652;
    int columns[6] = {80, 60, 100, 80, 60, 60};
    int treeWidth = 201;
    bool autoSize = false;
};

// Applies the stored values that exist; false when the product key does not open.
bool ReadViewSettings(ViewSettings& settings);
// Writes the bounds, widths and tree width, and AutoSize when `withAutoSize`,
// into an existing product key; false when it does not open.
bool WriteViewSettings(const ViewSettings& settings, bool withAutoSize);

// Pulls a window that lies beyond the desktop's right or bottom edge, or
// shows less than a corner beyond its left or top edge, back to 50 and cuts
// its size to the desktop.
void PullOntoDesktop(ViewSettings& s, int desktopRight, int desktopBottom);

// The tree's width in a client area `clientWidth` wide: the stored width,
// narrowed so that the list keeps a part of the window.
int TreeWidthIn(int storedWidth, int clientWidth);

}  // namespace setwise
