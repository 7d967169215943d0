#include "cloak_layout.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace holm {

LevelLayout MakeLayout(int count, int measuredWidth, int screenWidth, int screenHeight) {
    LevelLayout layout;
    layout.count = count;
    const int fitting = std::max(1, (screenHeight - kLevelPadding) / kItemHeight);
    layout.perColumn = std::max(1, std::min(count, fitting));
    layout.columns = count > 0 ? (count + layout.perColumn - 1) / layout.perColumn : 1;
    layout.columnWidth = measuredWidth;
    // Columns that would not fit side by side share the screen's width.
    if (layout.columns > 1 && layout.columns * measuredWidth > screenWidth)
        layout.columnWidth = std::max(kEmptyItemWidth + kTextExtra, screenWidth / layout.columns);
    layout.width = layout.columns * layout.columnWidth;
    layout.height = kLevelPadding + kItemHeight * layout.perColumn;
    return layout;
}

int ItemColumnLeft(const LevelLayout& layout, int i) { return (i / layout.perColumn) * layout.columnWidth; }

int ItemTop(const LevelLayout& layout, int i) { return (i % layout.perColumn) * kItemHeight; }

Rect HighlightRect(const LevelLayout& layout, int i) {
    const int left = ItemColumnLeft(layout, i), top = ItemTop(layout, i);
    return {left + kHighlightLeft, top + 1, left + layout.columnWidth - 1, top + kItemHeight + 1};
}

Rect TextRect(const LevelLayout& layout, int i) {
    const int left = ItemColumnLeft(layout, i), top = ItemTop(layout, i);
    return {left + kTextLeft, top, left + layout.columnWidth, top + kItemHeight};
}

int ItemAtPoint(const LevelLayout& layout, int x, int y) {
    const int row = static_cast<std::int16_t>(y - 1) / kItemHeight;
    if (layout.columns <= 1) return row;
    if (x < 0 || row < 0 || row >= layout.perColumn) return -1;
    return (x / layout.columnWidth) * layout.perColumn + row;
}

int SubmenuLeft(int parentLeft, int parentRight, int width, int screenWidth) {
    if (parentRight + width < screenWidth) return parentRight - 1;
    return parentLeft - width + 1;
}

int StepSelectable(const std::vector<ItemFacts>& items, int h, int direction) {
    const int count = static_cast<int>(items.size());
    if (count == 0 || h < 0 || h >= count) return h;
    for (int p = (h + direction + count) % count; p != h; p = (p + direction + count) % count)
        if (items[p].Selectable()) return p;
    return h;
}

int MatchLetter(const std::vector<ItemFacts>& items, int h, char key) {
    const int count = static_cast<int>(items.size());
    const int lowered = std::tolower(static_cast<unsigned char>(key));
    const int first = h < 0 ? 0 : h + 1;
    const int tries = h < 0 ? count : count - 1;
    for (int n = 0; n < tries; ++n) {
        const int p = (first + n) % count;
        const std::string& text = items[p].text;
        if (!text.empty() && std::tolower(static_cast<unsigned char>(text[0])) == lowered) return p;
    }
    return -1;
}

}  // namespace holm
