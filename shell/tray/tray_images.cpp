#include "tray_images.h"

#include <algorithm>

namespace holm::tray {

IconImages::~IconImages() {
    if (!dc_) return;
    SelectObject(dc_, original_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

POINT IconImages::Slot(int index) const {
    return {(index % kSlotsPerRow) * cx_, (index / kSlotsPerRow) * cy_};
}

// Makes room for `slots` images, doubling the rows when it grows.
bool IconImages::Reserve(int slots) {
    const int rowsNeeded = (slots + kSlotsPerRow - 1) / kSlotsPerRow;
    if (rowsNeeded <= rows_) return true;
    int rows = rows_ ? rows_ : 1;
    while (rows < rowsNeeded) rows *= 2;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kSlotsPerRow * cx_, rows * cy_);
    if (!dc_) dc_ = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    if (!bitmap || !dc_) {
        if (bitmap) DeleteObject(bitmap);
        return false;
    }
    HDC copy = CreateCompatibleDC(dc_);
    HGDIOBJ before = SelectObject(copy, bitmap);
    if (bitmap_) BitBlt(copy, 0, 0, kSlotsPerRow * cx_, rows_ * cy_, dc_, 0, 0, SRCCOPY);
    SelectObject(copy, before);
    DeleteDC(copy);
    HGDIOBJ previous = SelectObject(dc_, bitmap);
    if (bitmap_)
        DeleteObject(previous);
    else
        original_ = previous;
    bitmap_ = bitmap;
    rows_ = rows;
    return true;
}

bool IconImages::Render(int index, HICON icon) {
    if (!icon || !Reserve(index + 1)) return false;
    const POINT at = Slot(index);
    const RECT cell = {at.x, at.y, at.x + cx_, at.y + cy_};
    FillRect(dc_, &cell, GetSysColorBrush(COLOR_BACKGROUND));
    return DrawIconEx(dc_, at.x, at.y, icon, cx_, cy_, 0, nullptr, DI_NORMAL) != FALSE;
}

void IconImages::MoveSlot(int from, int to) {
    const POINT source = Slot(from), target = Slot(to);
    BitBlt(dc_, target.x, target.y, cx_, cy_, dc_, source.x, source.y, SRCCOPY);
}

void IconImages::Remove(int index, int count) {
    if (!dc_) return;
    // Row by row: the rest of the row moves left by one slot, and the first
    // slot of the next row comes up to the end of this one.
    for (int first = index; first < count - 1;) {
        const int rowEnd = std::min(count, (first / kSlotsPerRow + 1) * kSlotsPerRow);
        const POINT at = Slot(first);
        if (rowEnd - first - 1 > 0)
            BitBlt(dc_, at.x, at.y, (rowEnd - first - 1) * cx_, cy_, dc_, at.x + cx_, at.y, SRCCOPY);
        if (rowEnd < count) MoveSlot(rowEnd, rowEnd - 1);
        first = rowEnd;
    }
}

void IconImages::Copy(HDC dc, int index, int x, int y) const {
    if (!dc_) return;
    const POINT at = Slot(index);
    BitBlt(dc, x, y, cx_, cy_, dc_, at.x, at.y, SRCCOPY);
}

}  // namespace holm::tray
