// The cell pictures of the tray's icons, against real GDI bitmaps: removing
// an icon moves every later picture down one slot, across the rows of the
// picture bitmap too.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "tray_images.h"
#include "tray_test_icons.h"

using holm::tray::IconImages;

namespace {

COLORREF Colour(int k) { return RGB(k % 251, (k * 7) % 253, (k / 251) * 40 + 3); }

COLORREF PictureColour(const IconImages& images, int index) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    images.Copy(dc, index, 0, 0);
    const COLORREF colour = GetPixel(dc, 8, 8);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return colour;
}

}  // namespace

TEST(TrayImages, RemovingMovesLaterPicturesDownAcrossRows) {
    IconImages images;
    images.SetSize(16, 16);
    std::vector<int> shown;  // which colour each slot should hold
    for (int k = 0; k < 600; ++k) {
        HICON icon = holmtest::SolidIcon(Colour(k), 16);
        ASSERT_TRUE(images.Render(k, icon)) << k;
        DestroyIcon(icon);
        shown.push_back(k);
    }
    for (int removed : {599, 300, 255, 100, 0}) {
        images.Remove(removed, static_cast<int>(shown.size()));
        shown.erase(shown.begin() + removed);
    }
    for (int i = 0; i < static_cast<int>(shown.size()); ++i)
        ASSERT_EQ(PictureColour(images, i), Colour(shown[i])) << "slot " << i;
}
