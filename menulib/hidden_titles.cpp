#include "hidden_titles.h"

#include <windows.h>

#include "holm_names.h"
#include "win_handles.h"

namespace holm {

namespace {

HiddenTitleList g_hiddenTitles;

UniqueKey OpenOrCreateHiddenTitlesKey() {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kHiddenTitlesKey, 0, nullptr, 0, KEY_QUERY_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return UniqueKey();
    return UniqueKey(key);
}

}  // namespace

void LoadHiddenTitles() {
    g_hiddenTitles.Reset();
    UniqueKey key = OpenOrCreateHiddenTitlesKey();
    if (!key) return;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameLength = sizeof(name);
        DWORD type = 0;
        const LONG status = RegEnumValueA(key.Get(), index, name, &nameLength, nullptr, &type, nullptr, nullptr);
        if (status == ERROR_MORE_DATA) continue;  // a name this long matches no window title
        if (status != ERROR_SUCCESS) break;
        if (type == REG_SZ) g_hiddenTitles.Add(name);
    }
}

const HiddenTitleList& HiddenTitles() { return g_hiddenTitles; }

}  // namespace holm
