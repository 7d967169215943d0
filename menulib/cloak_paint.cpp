#include "cloak_paint.h"

#include <algorithm>

#include "cloak.h"
#include "library_state.h"
#include "win_handles.h"

namespace holm {

namespace {

constexpr int kMaxItemText = 2048;

RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

void TileBackground(HDC dc, const CloakLook& look, int width, int height) {
    if (!look.bitmapWidth || !look.bitmapHeight) return;
    for (int row = 0; row <= height / look.bitmapHeight; ++row)
        for (int column = 0; column <= width / look.bitmapWidth; ++column)
            BitBlt(dc, column * look.bitmapWidth, row * look.bitmapHeight, look.bitmapWidth, look.bitmapHeight,
                   look.bitmapDC, 0, 0, SRCCOPY);
}

void DrawBorder(HDC dc, int width, int height) {
    const POINT corners[] = {{0, 0}, {width - 1, 0}, {width - 1, height - 1}, {0, height - 1}, {0, 0}};
    Polyline(dc, corners, 5);
}

void PaintItem(HDC dc, const CloakLook& look, const LevelLayout& layout, int i, const MenuItem& item) {
    const int left = ItemColumnLeft(layout, i), top = ItemTop(layout, i);
    HICON icon = item.icon ? item.icon : (item.submenu ? look.submenuIcon : nullptr);
    if (icon) DrawIconEx(dc, left + kIconLeft, top + 1, icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
    if (item.facts.separator) {
        MoveToEx(dc, left + kSeparatorInset, top + kSeparatorOffset, nullptr);
        LineTo(dc, left + layout.columnWidth - kSeparatorInset, top + kSeparatorOffset);
        return;
    }
    if (item.facts.text.empty()) return;
    RECT rc = ToRECT(TextRect(layout, i));
    if (item.facts.disabled) SetTextColor(dc, look.disabledText);
    UINT format = DT_SINGLELINE | DT_VCENTER;
    if (layout.columns > 1) format |= DT_END_ELLIPSIS;  // squeezed columns
    DrawTextA(dc, item.facts.text.c_str(), -1, &rc, format);
    if (item.facts.disabled) SetTextColor(dc, look.text);
}

}  // namespace

MenuItem ReadMenuItem(HMENU menu, int position) {
    MenuItem item;
    char text[kMaxItemText] = "";
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_STATE | MIIM_SUBMENU | MIIM_DATA | MIIM_ID;
    mii.dwTypeData = text;
    mii.cch = sizeof(text);
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &mii)) return item;
    item.facts.separator = (mii.fType & MFT_SEPARATOR) != 0;
    item.facts.disabled = (mii.fState & (MFS_GRAYED | MFS_DISABLED)) != 0;
    item.facts.submenu = mii.hSubMenu != nullptr;
    if (!item.facts.separator && !(mii.fType & (MFT_BITMAP | MFT_OWNERDRAW))) {
        // A tab (before an item's hotkey) shows as a space: most fonts draw a
        // box for it.
        item.facts.text = text;
        std::replace(item.facts.text.begin(), item.facts.text.end(), '\t', ' ');
    }
    item.id = mii.wID;
    item.submenu = mii.hSubMenu;
    item.icon = reinterpret_cast<HICON>(mii.dwItemData);
    return item;
}

std::vector<MenuItem> ReadMenuItems(HMENU menu) {
    std::vector<MenuItem> items;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) items.push_back(ReadMenuItem(menu, i));
    return items;
}

std::vector<ItemFacts> FactsOf(const std::vector<MenuItem>& items) {
    std::vector<ItemFacts> facts;
    for (const MenuItem& item : items) facts.push_back(item.facts);
    return facts;
}

int MeasureMenuWidth(const std::vector<MenuItem>& items) {
    WindowDC desktop(GetDesktopWindow());
    SelectInDC font(desktop.Get(), CurrentCloak().font);
    int width = 0;
    for (const MenuItem& item : items) {
        int itemWidth = kEmptyItemWidth;
        if (!item.facts.text.empty()) {
            SIZE extent = {};
            GetTextExtentPoint32A(desktop.Get(), item.facts.text.c_str(), static_cast<int>(item.facts.text.size()),
                                  &extent);
            itemWidth = extent.cx + kTextExtra;
        }
        if (itemWidth > width) width = itemWidth;
    }
    return width;
}

LevelLayout MeasureLevel(HMENU menu) {
    const std::vector<MenuItem> items = ReadMenuItems(menu);
    return MakeLayout(static_cast<int>(items.size()), MeasureMenuWidth(items), GetSystemMetrics(SM_CXSCREEN),
                      GetSystemMetrics(SM_CYSCREEN));
}

void PaintLevel(HDC dc, HMENU menu, const LevelLayout& layout, int highlighted, bool erase) {
    const CloakLook& look = CurrentCloak();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, look.text);
    SelectInDC font(dc, look.font);
    SelectInDC pen(dc, look.borderPen);
    if (erase) {
        TileBackground(dc, look, layout.width, layout.height);
        DrawBorder(dc, layout.width, layout.height);
    }
    const std::vector<MenuItem> items = ReadMenuItems(menu);
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        PaintItem(dc, look, layout, i, items[i]);
        if (i == highlighted) {
            RECT rc = ToRECT(HighlightRect(layout, i));
            InvertRect(dc, &rc);
        }
    }
}

void InvertItem(HWND window, const LevelLayout& layout, int i) {
    WindowDC dc(window);
    RECT rc = ToRECT(HighlightRect(layout, i));
    InvertRect(dc.Get(), &rc);
}

}  // namespace holm
