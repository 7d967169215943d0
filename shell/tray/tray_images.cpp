#include "tray_images.h"

#include <algorithm>
#include <utility>

namespace holm::tray {

POINT IconImages::Slot(int index) const {
    return {(index % kSlotsPerRow) * cx_, (index / kSlotsPerRow) * cy_};
}

// Makes room for `slots` images, doubling the rows when it grows.
bool IconImages::Reserve(int slots) {
    const int rowsNeeded = (slots + kSlotsPerRow - 1) / kSlotsPerRow;
    if (rowsNeeded <= rows_) return true;
    int rows = rows_ ? rows_ : 1;
    while (rows < rowsNeeded) rows *= 2;
    UniqueBitmap bitmap;
    {
        WindowDC screen(nullptr);
        bitmap.Reset(CreateCompatibleBitmap(screen.Get(), kSlotsPerRow * cx_, rows * cy_));
    }
    if (!bitmap) return false;
    if (slots_.Bitmap()) {
        MemoryDC copy(slots_.Dc());
        SelectInDC into(copy.Get(), bitmap.Get());
        BitBlt(copy.Get(), 0, 0, kSlotsPerRow * cx_, rows_ * cy_, slots_.Dc(), 0, 0, SRCCOPY);
    }
    if (!slots_.Take(std::move(bitmap))) return false;
    rows_ = rows;
    return true;
}

bool IconImages::Render(int index, HICON icon) {
    if (!icon || !Reserve(index + 1)) return false;
    const POINT at = Slot(index);
    const RECT cell = {at.x, at.y, at.x + cx_, at.y + cy_};
    FillRect(slots_.Dc(), &cell, GetSysColorBrush(COLOR_BACKGROUND));
    return DrawIconEx(slots_.Dc(), at.x, at.y, icon, cx_, cy_, 0, nullptr, DI_NORMAL) != FALSE;
}

void IconImages::MoveSlot(int from, int to) {
    const POINT source = Slot(from), target = Slot(to);
    BitBlt(slots_.Dc(), target.x, target.y, cx_, cy_, slots_.Dc(), source.x, source.y, SRCCOPY);
}

void IconImages::Remove(int index, int count) {
    if (!slots_.Dc()) return;
    // Row by row: the rest of the row moves left by one slot, and the first
    // slot of the next row comes up to the end of this one.
    for (int first = index; first < count - 1;) {
        const int rowEnd = std::min(count, (first / kSlotsPerRow + 1) * kSlotsPerRow);
        const POINT at = Slot(first);
        if (rowEnd - first - 1 > 0)
            BitBlt(slots_.Dc(), at.x, at.y, (rowEnd - first - 1) * cx_, cy_, slots_.Dc(), at.x + cx_, at.y, SRCCOPY);
        if (rowEnd < count) MoveSlot(rowEnd, rowEnd - 1);
        first = rowEnd;
    }
}

void IconImages::Copy(HDC dc, int index, int x, int y) const {
    if (!slots_.Dc()) return;
    const POINT at = Slot(index);
    BitBlt(dc, x, y, cx_, cy_, slots_.Dc(), at.x, at.y, SRCCOPY);
}

}  // namespace holm::tray
