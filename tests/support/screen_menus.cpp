#include "screen_menus.h"

#include <sstream>

#include "real_input.h"
#include "spy_client.h"

namespace holmtest {

RECT ParseRect(const std::string& text) {
    RECT rc = {};
    std::istringstream r(text);
    r >> rc.left >> rc.top >> rc.right >> rc.bottom;
    return rc;
}

std::vector<std::string> TextsOf(const std::vector<MenuEntry>& entries) {
    std::vector<std::string> out;
    for (const MenuEntry& e : entries) out.push_back(e.Has('S') ? "-" : e.text);
    return out;
}

std::vector<std::string> MenuSnapshot::Texts(int depth) const {
    std::vector<MenuEntry> level;
    for (const MenuEntry& e : entries)
        if (e.depth == depth) level.push_back(e);
    return TextsOf(level);
}

std::vector<MenuEntry> MenuSnapshot::Submenu(const std::string& label) const {
    std::vector<MenuEntry> out;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].depth != 0 || entries[i].text != label) continue;
        for (std::size_t j = i + 1; j < entries.size() && entries[j].depth > 0; ++j) out.push_back(entries[j]);
        break;
    }
    return out;
}

const MenuEntry* MenuSnapshot::Find(const std::string& text) const {
    for (const MenuEntry& e : entries)
        if (e.text == text) return &e;
    return nullptr;
}

namespace {

struct MenuWindowSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindMenuWindow(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<MenuWindowSearch*>(param);
    char cls[16] = "";
    GetClassNameA(hwnd, cls, sizeof(cls));
    if ((lstrcmpA(cls, "#32768") != 0 && lstrcmpA(cls, "HolmMenu") != 0) || !IsWindowVisible(hwnd)) return TRUE;
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != search->pid) return TRUE;
    search->found = hwnd;
    return FALSE;
}

MenuSnapshot ParseListing(const std::string& listing) {
    MenuSnapshot snap;
    std::istringstream in(listing);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("rect ", 0) == 0) {
            snap.open = true;
            snap.rect = ParseRect(line.substr(5));
            continue;
        }
        if (line == "cloaked") {
            snap.cloaked = true;
            continue;
        }
        if (line.rfind("level ", 0) == 0) {
            snap.levels.push_back(ParseRect(line.substr(6)));
            continue;
        }
        if (line.rfind("cursor ", 0) == 0) {
            std::istringstream r(line.substr(7));
            r >> snap.cursor >> snap.classCursor;
            continue;
        }
        MenuEntry e;
        std::size_t a = line.find('|'), b = line.find('|', a + 1), c = line.find('|', b + 1);
        if (a == std::string::npos || b == std::string::npos || c == std::string::npos) continue;
        e.depth = std::stoi(line.substr(0, a));
        e.id = static_cast<UINT>(std::stoul(line.substr(a + 1, b - a - 1)));
        e.flags = line.substr(b + 1, c - b - 1);
        e.text = line.substr(c + 1);
        snap.entries.push_back(e);
    }
    return snap;
}

// Asks the menu spy hooked onto the shell's thread to act on `request`.
bool AskMenuSpy(const ShellProcess& shell, const char* request, SpyAnswer* answer = nullptr) {
    static const Spy spy("menuspy.dll", "SpyProc");
    return spy.Ask(shell.MainWindow(), request, 0, answer);
}

}  // namespace

bool MenuOpen(DWORD pid) {
    MenuWindowSearch search = {pid, nullptr};
    EnumWindows(FindMenuWindow, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
}

MenuSnapshot ClickForMenu(const ShellProcess& shell, int x, int y, bool right, int attempts) {
    MenuSnapshot menu;
    for (int attempt = 0; attempt < attempts && !menu.open; ++attempt) {
        if (attempt > 0) Sleep(GetDoubleClickTime() + 50);
        Click(x, y, right);
        menu = WaitForMenu(shell, 1500);
    }
    return menu;
}

MenuSnapshot WaitForMenu(const ShellProcess& shell, int timeoutMs) {
    if (!WaitFor([&] { return MenuOpen(shell.Pid()); }, timeoutMs)) return MenuSnapshot();
    SpyAnswer listing;
    if (!AskMenuSpy(shell, "HolmTestReadMenu", &listing)) return MenuSnapshot();
    return ParseListing(listing.Text());
}

bool DropMouseHook(const ShellProcess& shell) { return AskMenuSpy(shell, "HolmTestDropMouseHook"); }

bool DismissMenus(DWORD pid, int timeoutMs) {
    const bool closed = WaitFor(
        [pid] {
            if (!MenuOpen(pid)) return true;
            PressKey(VK_ESCAPE);
            return !MenuOpen(pid);
        },
        timeoutMs, 100);
    // Let the shell take the menu's closing command and re-arm, as a person
    // would before the next click.
    Sleep(300);
    return closed;
}

namespace {

// Index of the entry that `path` names, or -1 (an empty path: the root).
int EntryIndexOf(const MenuSnapshot& menu, const std::vector<std::string>& path) {
    int parent = -1;
    for (const std::string& label : path) {
        const int depth = parent < 0 ? 0 : menu.entries[parent].depth + 1;
        int found = -1;
        for (std::size_t i = parent + 1; i < menu.entries.size(); ++i) {
            const MenuEntry& e = menu.entries[i];
            if (e.depth < depth) break;
            if (e.depth == depth && e.text == label) {
                found = static_cast<int>(i);
                break;
            }
        }
        if (found < 0) return -2;
        parent = found;
    }
    return parent;
}

// Position of `label` among the entries of `level` that the arrow keys stop
// at: plain menus skip separators, cloaked menus disabled entries too.
int SelectablePosition(const std::vector<MenuEntry>& level, const std::string& label, bool cloaked) {
    int position = 0;
    for (const MenuEntry& e : level) {
        if (e.Has('S') || (cloaked && e.Has('G'))) continue;
        if (e.text == label) return position;
        ++position;
    }
    return -1;
}

}  // namespace

std::vector<MenuEntry> MenuLevel(const MenuSnapshot& menu, const std::vector<std::string>& path) {
    std::vector<MenuEntry> out;
    const int parent = EntryIndexOf(menu, path);
    if (parent == -2) return out;
    const int depth = parent < 0 ? 0 : menu.entries[parent].depth + 1;
    for (std::size_t i = parent + 1; i < menu.entries.size(); ++i) {
        const MenuEntry& e = menu.entries[i];
        if (e.depth < depth) break;
        if (e.depth == depth) out.push_back(e);
    }
    return out;
}

bool SelectMenuEntry(const MenuSnapshot& menu, const std::vector<std::string>& path) {
    std::vector<int> positions;
    for (std::size_t n = 0; n < path.size(); ++n) {
        const std::vector<std::string> parent(path.begin(), path.begin() + n);
        const int position = SelectablePosition(MenuLevel(menu, parent), path[n], menu.cloaked);
        if (position < 0) return false;
        positions.push_back(position);
    }
    for (std::size_t n = 0; n < positions.size(); ++n) {
        // The root starts with nothing selected; a submenu opened with the
        // right arrow starts on its first entry.
        int presses = n == 0 ? positions[n] + 1 : positions[n];
        if (n > 0) PressKey(VK_RIGHT);
        while (presses-- > 0) PressKey(VK_DOWN);
    }
    Sleep(100);
    return true;
}
bool MenuEntryRect(const ShellProcess& shell, const std::string& text, RECT* rect) {
    if (!MenuOpen(shell.Pid())) return false;
    static const Spy spy("menurects.dll", "RectSpyProc");
    SpyAnswer listing;
    spy.Ask(shell.MainWindow(), "HolmTestReadMenuRects", 0, &listing);
    std::istringstream in(listing.Text());
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t bar = line.find('|');
        if (bar == std::string::npos || line.substr(bar + 1) != text) continue;
        *rect = ParseRect(line.substr(0, bar));
        return true;
    }
    return false;
}

bool ClickMenuEntry(const ShellProcess& shell, const std::string& text) {
    RECT rc = {};
    if (!MenuEntryRect(shell, text, &rc)) return false;
    const int x = (rc.left + rc.right) / 2, y = (rc.top + rc.bottom) / 2;
    MoveMouse(x, y);
    Sleep(100);
    MouseButton(x, y, false, true);
    MouseButton(x, y, false, false);
    return true;
}

}  // namespace holmtest
