#include "view_settings.h"

#include <windows.h>

#include "group_keys.h"
#include "registry.h"

namespace setwise {

namespace {

const char* const kColumnValues[6] = {"NameWidth", "TypeWidth", "TargWidth", "StartWidth", "ShortWidth", "StyleWidth"};

void ReadInt(HKEY key, const char* name, int& value) {
    DWORD number = 0;
    if (holm::ReadNumber(key, name, number)) value = static_cast<int>(number);
}

void WriteInt(HKEY key, const char* name, int value) {
    const DWORD number = static_cast<DWORD>(value);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
}

}  // namespace

bool ReadViewSettings(ViewSettings& s) {
    holm::UniqueKey key = holm::OpenUserKey(kProductKey);
    if (!key) return false;
    ReadInt(key.Get(), "Top", s.top);
    ReadInt(key.Get(), "Left", s.left);
    ReadInt(key.Get(), "Height", s.height);
    ReadInt(key.Get(), "Width", s.width);
    for (int i = 0; i < 6; ++i) ReadInt(key.Get(), kColumnValues[i], s.columns[i]);
    ReadInt(key.Get(), "TreeWidth", s.treeWidth);
    int autoSize = 0;
    ReadInt(key.Get(), "AutoSize", autoSize);
    s.autoSize = autoSize == 1;
    return true;
}

bool WriteViewSettings(const ViewSettings& s, bool withAutoSize) {
    holm::UniqueKey key = holm::OpenUserKey(kProductKey, KEY_SET_VALUE);
    if (!key) return false;
    WriteInt(key.Get(), "Top", s.top);
    WriteInt(key.Get(), "Left", s.left);
    WriteInt(key.Get(), "Height", s.height);
    WriteInt(key.Get(), "Width", s.width);
    for (int i = 0; i < 6; ++i) WriteInt(key.Get(), kColumnValues[i], s.columns[i]);
    WriteInt(key.Get(), "TreeWidth", s.treeWidth);
    if (withAutoSize) WriteInt(key.Get(), "AutoSize", s.autoSize ? 1 : 0);
    return true;
}

void PullOntoDesktop(ViewSettings& s, int right, int bottom) {
    constexpr int kCorner = 50;
    if (s.left > right || s.left + s.width < kCorner) s.left = 50;
    if (s.top > bottom || s.top < -kCorner) s.top = 50;
    if (s.left + s.width > right) s.width = right - s.left;
    if (s.top + s.height > bottom) s.height = bottom - s.top;
}

int TreeWidthIn(int storedWidth, int clientWidth) {
    constexpr int kNarrowest = 20;
    const int widest = clientWidth - kNarrowest;
    if (storedWidth > widest) storedWidth = widest;
    return storedWidth < kNarrowest ? kNarrowest : storedWidth;
}

}  // namespace setwise
