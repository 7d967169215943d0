#include "popup_title.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "holm_names.h"
#include "holm_values.h"
#include "registry.h"
#include "title_text.h"

namespace holm {

namespace {

struct Title {
    const char* valueName;
    int timeDateLimit;  // characters of the time and date texts
    char templ[kTitleBytes] = "";
    char display[kTitleBytes] = "";
    bool hasTime = false;
    bool hasDate = false;
    bool loaded = false;
};

Title g_left{values::kInitMenuTitle, 60};
Title g_right{values::kWindowListTitle, 128};

Title& TitleFor(TitleSide side) { return side == TitleSide::Left ? g_left : g_right; }

void CopyText(char* target, const char* source) {
    lstrcpynA(target, source, kTitleBytes);
}

std::string ComputerName() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = "";
    DWORD size = sizeof(name);
    if (!GetComputerNameA(name, &size)) return std::string();
    return name;
}

std::string UserName() {
    char name[257] = "";
    DWORD size = sizeof(name);
    if (!GetUserNameA(name, &size)) return std::string();
    return name;
}

void LoadTemplate(Title& title) {
    UniqueKey key = OpenUserKey(kOptionsKey);
    if (!key) {
        CopyText(title.display, "%d, %t");
    } else {
        std::string stored;
        if (ReadText(key.Get(), title.valueName, stored, kTitleBytes - 1)) CopyText(title.display, stored.c_str());
    }
    ReplaceEvery(title.display, kTitleBytes, "%c", ComputerName().c_str());
    ReplaceEvery(title.display, kTitleBytes, "%u", UserName().c_str());
    CopyText(title.templ, title.display);
    title.hasTime = std::strstr(title.templ, "%t") != nullptr;
    title.hasDate = std::strstr(title.templ, "%d") != nullptr;
    title.loaded = true;
}

}  // namespace

const char* RefreshTitle(TitleSide side) {
    Title& title = TitleFor(side);
    if (!title.loaded) LoadTemplate(title);
    CopyText(title.display, title.templ);
    char text[129] = "";
    if (title.hasTime) {
        if (!GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, nullptr, nullptr, text, title.timeDateLimit))
            text[0] = '\0';
        ReplaceEvery(title.display, kTitleBytes, "%t", text);
    }
    if (title.hasDate) {
        if (!GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, title.timeDateLimit))
            text[0] = '\0';
        ReplaceEvery(title.display, kTitleBytes, "%d", text);
    }
    return title.display;
}

void ResetTitles() {
    g_left.loaded = false;
    g_right.loaded = false;
}

}  // namespace holm
