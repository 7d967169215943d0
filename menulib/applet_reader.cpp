#include "applet_reader.h"

#include <windows.h>
#include <cpl.h>

#include <cstdio>
#include <utility>

#include "library_state.h"
#include "status_text.h"
#include "text_edit.h"
#include "win_handles.h"

namespace holm {

namespace {

constexpr int kNameChars = 1024;
constexpr LONG kMostApplets = 1000;

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
    char fallback[MAX_PATH + 16];
    std::snprintf(fallback, sizeof(fallback), "%s: %d", file.c_str(), static_cast<int>(info.nameId));
    return DoubleChar(fallback, '&');
}

// The applet's icon is copied: the module that made it is freed soon.
MenuImage ImageFor(HICON icon) {
    if (!g_lib.options.showCplIcons || !icon) return MenuImage();
    return ImageFromIcon(UniqueIcon(CopyIcon(icon)));
}

}  // namespace

std::vector<Applet> ReadAppletFile(const std::string& file) {
    std::vector<Applet> applets;
    SetStatus(file);
    UniqueLibrary module(LoadLibraryA(file.c_str()));
    if (!module) return applets;
    auto applet = reinterpret_cast<APPLET_PROC>(reinterpret_cast<void*>(GetProcAddress(module.Get(), "CPlApplet")));
    if (!applet || applet(g_lib.shell, CPL_INIT, 0, 0) == 0) return applets;
    const LONG count = static_cast<LONG>(applet(g_lib.shell, CPL_GETCOUNT, 0, 0));
    for (LONG i = 0; i < count && i < kMostApplets; ++i) {
        const AppletInfo info = AskApplet(applet, module.Get(), i);
        Applet entry = {LabelFor(file, info), "control " + file + " " + info.name, MenuImage()};
        SetStatus(entry.label);
        entry.image = ImageFor(info.icon);
        applet(g_lib.shell, CPL_STOP, i, info.data);
        applets.push_back(std::move(entry));
    }
    applet(g_lib.shell, CPL_EXIT, 0, 0);
    return applets;
}

}  // namespace holm
