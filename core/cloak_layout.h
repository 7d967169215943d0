// Geometry and item rules of the cloaked menus: where items lie in a level,
// which item a point hits, where a submenu opens, and how the keys move the
// highlight. Pure logic: no Windows headers.
#pragma once
#include <string>
#include <vector>

#include "geometry.h"

namespace holm {

constexpr int kItemHeight = 17;
constexpr int kLevelPadding = 2;     // a level of n items is 2 + 17 n high
constexpr int kTextExtra = 23;       // width beyond a text's extent
constexpr int kEmptyItemWidth = 18;  // width of an item without text
constexpr int kTextLeft = 21;
constexpr int kHighlightLeft = 20;
constexpr int kIconLeft = 2;
constexpr int kIconSize = 16;
constexpr int kSeparatorInset = 5;
constexpr int kSeparatorOffset = 8;

// How the items of one level are laid out. A level that fits on the screen
// is one column of `count` rows; a taller one is split into columns of
// `perColumn` rows, side by side, so that every item can be seen and reached.
struct LevelLayout {
    int count = 0;
    int perColumn = 0;
    int columns = 1;
    int columnWidth = 0;
    int width = 0;
    int height = 0;
};

LevelLayout MakeLayout(int count, int measuredWidth, int screenWidth, int screenHeight);

// The cell of item i: its column's left edge and its row's top edge.
int ItemColumnLeft(const LevelLayout& layout, int i);
int ItemTop(const LevelLayout& layout, int i);

Rect HighlightRect(const LevelLayout& layout, int i);
Rect TextRect(const LevelLayout& layout, int i);

// The item under a client point; may be out of range (callers check it
// against the count). In one column only y counts: (y - 1) / 17 taken as a
// signed 16-bit value and truncated toward zero.
int ItemAtPoint(const LevelLayout& layout, int x, int y);

// Left edge of a submenu `width` wide opened from a level whose window spans
// `parentLeft` to `parentRight`: on the right, overlapping by one pixel,
// unless it would reach the screen's right edge, then on the left.
int SubmenuLeft(int parentLeft, int parentRight, int width, int screenWidth);

// What the keyboard rules need to know about an item.
struct ItemFacts {
    std::string text;
    bool separator = false;
    bool disabled = false;
    bool submenu = false;
    bool Selectable() const { return !separator && !disabled; }
};

// Up (-1) or Down (+1) from the highlighted position h: the next selectable
// item, wrapping around; h itself when none other is. Only for h != -1.
int StepSelectable(const std::vector<ItemFacts>& items, int h, int direction);

// The item a letter or digit key jumps to from h (-1: none highlighted):
// the first later item, wrapping, whose text begins with that character in
// either case; -1 when none does.
int MatchLetter(const std::vector<ItemFacts>& items, int h, char key);

}  // namespace holm
