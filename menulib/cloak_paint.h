// Reading, measuring and painting the items of one cloaked menu level.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "cloak_layout.h"

namespace holm {

struct MenuItem {
    ItemFacts facts;
    UINT id = 0;
    HMENU submenu = nullptr;
    HICON icon = nullptr;  // the entry's item data; the builders own it
};

// Reads item `position` of `menu` (an unreadable item reads as empty).
MenuItem ReadMenuItem(HMENU menu, int position);
std::vector<MenuItem> ReadMenuItems(HMENU menu);
std::vector<ItemFacts> FactsOf(const std::vector<MenuItem>& items);

// The width of a level: the widest text plus room for the icon.
int MeasureMenuWidth(const std::vector<MenuItem>& items);

// The layout of `menu` on this screen.
LevelLayout MeasureLevel(HMENU menu);

// Paints a level: background and border when `erase`, then the items, then
// the highlight of `highlighted` (-1: none).
void PaintLevel(HDC dc, HMENU menu, const LevelLayout& layout, int highlighted, bool erase);

// Inverts the highlight rectangle of item i.
void InvertItem(HWND window, const LevelLayout& layout, int i);

}  // namespace holm
