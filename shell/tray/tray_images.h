// The icons as they look in their cells, kept in one bitmap. Drawing an
// icon is slow (tens of microseconds under Wine); copying a cell's pixels
// is not, so each icon is drawn once when it comes or changes and painting
// only copies pixels.
#pragma once
#include <windows.h>

#include "win_handles.h"

namespace holm::tray {

class IconImages {
public:
    IconImages() = default;
    IconImages(const IconImages&) = delete;
    IconImages& operator=(const IconImages&) = delete;

    void SetSize(int cx, int cy) { cx_ = cx, cy_ = cy; }
    // Draws `icon` over the background into slot `index`; false when it
    // cannot be drawn.
    bool Render(int index, HICON icon);
    // Moves slots index + 1 .. count - 1 down by one.
    void Remove(int index, int count);
    // Copies slot `index` to (x, y) of `dc`.
    void Copy(HDC dc, int index, int x, int y) const;

private:
    static constexpr int kSlotsPerRow = 256;
    POINT Slot(int index) const;
    bool Reserve(int slots);
    void MoveSlot(int from, int to);

    int cx_ = 16, cy_ = 16;
    int rows_ = 0;
    SelectedBitmap slots_;
};

}  // namespace holm::tray
