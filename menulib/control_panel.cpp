#include "control_panel.h"

#include <cpl.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "command_ids.h"
#include "holm_names.h"
#include "launch_table.h"
#include "library_state.h"
#include "menu_images.h"
#include "menu_order.h"
#include "status_text.h"
#include "text_edit.h"
#include "win_handles.h"

namespace holm {

namespace {

constexpr DWORD kPathChars = 260;
constexpr int kNameChars = 1024;

struct AppletEntry {
    std::string label;
    UINT id;
    MenuImage image;
};

struct ControlPanelState {
    std::vector<MenuImage> images;  // released at the next build
};

ControlPanelState g_cpl;

// What an applet tells about itself.
struct AppletInfo {
    std::string name;
    LONG nameId = 0;
    HICON icon = nullptr;    // the applet's icon, or one loaded from its module
    UniqueIcon madeIcon;     // the icon the new inquiry handed over, destroyed here
    LONG_PTR data = 0;
};

void SetStatus(const std::string& what) {
    const std::string text = "Reading Control Panel: " + what;
    SetStatusText(text.c_str());
}

UINT NextLaunchId() { return static_cast<UINT>(LaunchCommandId(LaunchEntryCount())); }

AppletInfo AskApplet(APPLET_PROC applet, HMODULE module, int i) {
    AppletInfo info;
    union {
        NEWCPLINFOA ansi;
        NEWCPLINFOW wide;
    } answer = {};
    applet(g_lib.shell, CPL_NEWINQUIRE, i, reinterpret_cast<LPARAM>(&answer));
    if (answer.wide.dwSize == sizeof(NEWCPLINFOW)) {
        char name[64] = "";
        answer.wide.szName[31] = L'\0';
        WideCharToMultiByte(CP_ACP, 0, answer.wide.szName, -1, name, sizeof(name), nullptr, nullptr);
        info.name = name;
        info.icon = answer.wide.hIcon;
        info.madeIcon.Reset(info.icon);
        info.data = answer.wide.lData;
        return info;
    }
    if (answer.ansi.dwSize == sizeof(NEWCPLINFOA)) {
        answer.ansi.szName[31] = '\0';
        info.name = answer.ansi.szName;
        info.icon = answer.ansi.hIcon;
        info.madeIcon.Reset(info.icon);
        info.data = answer.ansi.lData;
        return info;
    }
    CPLINFO old = {};
    applet(g_lib.shell, CPL_INQUIRE, i, reinterpret_cast<LPARAM>(&old));
    char name[kNameChars] = "";
    LoadStringA(module, static_cast<UINT>(old.idName), name, kNameChars - 1);
    info.name = name;
    info.nameId = old.idName;
    if (g_lib.options.showCplIcons) info.icon = LoadIconA(module, MAKEINTRESOURCEA(old.idIcon));
    info.data = old.lData;
    return info;
}

std::string LabelFor(const std::string& file, const AppletInfo& info) {
    if (!info.name.empty()) {
        std::vector<char> text(info.name.begin(), info.name.end());
        text.push_back('\0');
        RemoveChar(text.data(), '&');
        return text.data();
    }
    char fallback[kPathChars + 16];
    std::snprintf(fallback, sizeof(fallback), "%s: %d", file.c_str(), static_cast<int>(info.nameId));
    return DoubleChar(fallback, '&');
}

// The applet's icon is copied: the module that made it is freed soon.
MenuImage ImageFor(HICON icon) {
    if (!g_lib.options.showCplIcons || !icon) return MenuImage();
    return ImageFromIcon(UniqueIcon(CopyIcon(icon)));
}

void ReadApplets(const std::string& file, std::vector<AppletEntry>& entries) {
    SetStatus(file);
    UniqueLibrary module(LoadLibraryA(file.c_str()));
    if (!module) return;
    auto applet = reinterpret_cast<APPLET_PROC>(reinterpret_cast<void*>(GetProcAddress(module.Get(), "CPlApplet")));
    if (!applet || applet(g_lib.shell, CPL_INIT, 0, 0) == 0) return;
    const LONG count = static_cast<LONG>(applet(g_lib.shell, CPL_GETCOUNT, 0, 0));
    for (LONG i = 0; i < count && i < 1000; ++i) {
        const AppletInfo info = AskApplet(applet, module.Get(), i);
        const std::string command = "control " + file + " " + info.name;
        AppletEntry entry = {LabelFor(file, info), NextLaunchId(), MenuImage()};
        AppendLaunchEntry(command.c_str(), nullptr, 0, kNoHotkey);
        SetStatus(entry.label);
        entry.image = ImageFor(info.icon);
        applet(g_lib.shell, CPL_STOP, i, info.data);
        entries.push_back(std::move(entry));
    }
    applet(g_lib.shell, CPL_EXIT, 0, 0);
}

std::vector<std::string> ControlPanelFiles() {
    std::vector<std::string> files;
    char directory[kPathChars] = "";
    GetSystemDirectoryA(directory, kPathChars);
    const std::string pattern = std::string(directory) + "\\*.cpl";
    WIN32_FIND_DATAA found = {};
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}

void AddWindows95Entries(std::vector<AppletEntry>& entries) {
    const struct {
        const char* label;
        const char* command;
    } fixed[] = {{"System", "control sysdm.cpl"}, {"Network", "control netcpl.cpl"}, {"Modems", "control modem.cpl"}};
    for (const auto& f : fixed) {
        entries.push_back({f.label, NextLaunchId(), MenuImage()});
        AppendLaunchEntry(f.command, nullptr, 0, kNoHotkey);
    }
}

void AppendSorted(HMENU submenu, const std::vector<AppletEntry>& entries) {
    std::vector<std::string> labels;
    for (const AppletEntry& e : entries) labels.push_back(e.label);
    for (std::size_t i : MenuOrder(labels)) {
        AppendMenuA(submenu, MF_STRING, entries[i].id, entries[i].label.c_str());
        AttachImage(submenu, entries[i].id, entries[i].image.View());
    }
}

}  // namespace

void FillControlPanel(HMENU submenu) {
    std::vector<AppletEntry> entries;
    for (const std::string& file : ControlPanelFiles()) ReadApplets(file, entries);
    if (g_lib.platform == VER_PLATFORM_WIN32_WINDOWS) AddWindows95Entries(entries);
    AppendSorted(submenu, entries);
    for (AppletEntry& e : entries)
        if (!e.image.Empty()) g_cpl.images.push_back(std::move(e.image));
}

void ReleaseControlPanelImages() { g_cpl.images.clear(); }

}  // namespace holm
