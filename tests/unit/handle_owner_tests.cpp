// Owners of GDI handles: each handle is released exactly once, by whoever
// holds it last, and never while it is still in use.
#include <gtest/gtest.h>
#include <windows.h>

#include <utility>

#include "library_state.h"
#include "menu_images.h"
#include "win_handles.h"

using namespace holm;

namespace {

HBITMAP MakeBitmap() {
    WindowDC screen(nullptr);
    return CreateCompatibleBitmap(screen.Get(), 8, 8);
}

HICON MakeIcon() { return CopyIcon(LoadIconA(nullptr, IDI_APPLICATION)); }

bool IconAlive(HICON icon) {
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info)) return false;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return true;
}

void UseStyle(bool cloaked) {
    g_lib.options.useCustomMenus = cloaked ? 1 : 0;
    g_lib.checkWidth = g_lib.checkHeight = 13;
}

}  // namespace

TEST(MenuImage, TheLastOwnerReleasesTheBitmapAndAMovedFromOneNothing) {
    HBITMAP raw = MakeBitmap();
    ASSERT_NE(raw, nullptr);
    {
        MenuImage first{UniqueBitmap(raw)};
        MenuImage second = std::move(first);
        EXPECT_TRUE(first.Empty());
        { MenuImage emptied = std::move(first); }
        EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_BITMAP));
        EXPECT_EQ(second.View().bitmap, raw);
        EXPECT_EQ(second.View().icon, nullptr);
    }
    EXPECT_EQ(GetObjectType(raw), 0u);
}

TEST(MenuImage, ThePlainStyleKeepsABitmapAndDestroysTheIconAtOnce) {
    UseStyle(false);
    HICON icon = MakeIcon();
    ASSERT_TRUE(IconAlive(icon));
    HBITMAP bitmap = nullptr;
    {
        const MenuImage image = ImageFromIcon(UniqueIcon(icon));
        EXPECT_FALSE(IconAlive(icon));
        EXPECT_EQ(image.View().icon, nullptr);
        bitmap = image.View().bitmap;
        EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
    }
    EXPECT_EQ(GetObjectType(bitmap), 0u);
}

TEST(MenuImage, TheCloakedStyleKeepsTheIconUntilTheImageGoes) {
    UseStyle(true);
    HICON icon = MakeIcon();
    {
        MenuImage image = ImageFromIcon(UniqueIcon(icon));
        EXPECT_EQ(image.View().icon, icon);
        EXPECT_EQ(image.View().bitmap, nullptr);
        MenuImage kept = std::move(image);
        EXPECT_TRUE(IconAlive(icon));
    }
    EXPECT_FALSE(IconAlive(icon));
    UseStyle(false);
}

TEST(SelectedBitmap, AReplacedBitmapIsDeletedAndTheDcGoesLast) {
    HBITMAP first = MakeBitmap(), second = MakeBitmap();
    HDC dc = nullptr;
    {
        SelectedBitmap slots;
        ASSERT_TRUE(slots.Take(UniqueBitmap(first)));
        dc = slots.Dc();
        ASSERT_NE(dc, nullptr);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), first);
        ASSERT_TRUE(slots.Take(UniqueBitmap(second)));
        EXPECT_EQ(slots.Dc(), dc);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), second);
        EXPECT_EQ(GetObjectType(first), 0u);
        EXPECT_FALSE(slots.Take(UniqueBitmap()));
        EXPECT_EQ(slots.Bitmap(), second);
    }
    EXPECT_EQ(GetObjectType(second), 0u);
    EXPECT_EQ(GetObjectType(dc), 0u);
}
