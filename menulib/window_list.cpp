#include "window_list.h"

#include <string>
#include <utility>
#include <vector>

#include "command_ids.h"
#include "hidden_titles.h"
#include "holm_names.h"
#include "library_state.h"
#include "no_throw.h"
#include "popup_title.h"
#include "window_icons.h"
#include "window_image.h"
#include "window_table.h"
#include "window_titles.h"

namespace holm {

namespace {

struct WindowListState {
    HMENU root = nullptr;
    HMENU allWindows = nullptr;
    WindowImages images;
};

WindowListState g_list;

[[noreturn]] void FatalMenuFailure() {
    MessageBoxA(g_lib.shell, "ERROR: Could not create popup menu", "HOLMDLL", MB_ICONERROR | MB_TOPMOST);
    ExitProcess(0);
}

HMENU CreateSpecialSubmenu() {
    HMENU special = CreatePopupMenu();
    if (!special) FatalMenuFailure();
    AppendMenuA(special, MF_STRING, kCmdArrangeOrEmpty, "Arrange desktop");
    AppendMenuA(special, MF_STRING, kCmdMinimizeAll, "Minimize all");
    AppendMenuA(special, MF_STRING, kCmdRestoreAll, "Restore all");
    AppendMenuA(special, MF_SEPARATOR, 0, nullptr);
    return special;
}

// The whole title, at most 255 characters; empty when the window has none.
std::string ReadTitle(HWND window) {
    char title[256] = "";
    const int length = GetWindowTextA(window, title, sizeof(title));
    return std::string(title, length > 0 ? static_cast<std::size_t>(length) : 0);
}

void AppendWindowEntry(HMENU menu, UINT id, const char* text, MenuImageView image) {
    AppendMenuA(menu, MF_STRING, id, text);
    if (!image.Empty()) AttachImage(menu, id, image);
}

// IsWindowVisible for a top-level window, whose parent, the desktop, is
// always visible: one question to the system instead of two (under Wine
// each is a round trip to its server, which counts with hundreds of windows).
bool IsVisibleTopLevel(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

bool HasEntry(const std::string& title) { return !title.empty() || g_lib.options.showNoTitleWindows; }

// Lists the window of table index `index`, whose title is `title`.
void ListWindow(int index, HWND window, const std::string& title) {
    const UINT id = static_cast<UINT>(WindowCommandId(index));
    const std::string text = WindowMenuText(title, g_lib.options.TitleReadLength() - 1);
    MenuImageView image;
    if (HasEntry(title)) {
        if (g_lib.options.showWindowIcons) image = g_list.images.ImageOf(KnownWindowIcon(window));
        AppendWindowEntry(g_list.allWindows, id, title.empty() ? kNoTitleText : text.c_str(), image);
    }
    if (!title.empty() && IsVisibleTopLevel(window) && !IsHiddenTitle(title.c_str(), HiddenTitles()))
        AppendWindowEntry(g_list.root, id, text.c_str(), image);
}

// Collects the top-level windows, as many as there are command ids for.
BOOL CALLBACK CollectWindowProc(HWND window, LPARAM windows) {
    return Guarded(FALSE, [&] {
        auto& collected = *reinterpret_cast<std::vector<HWND>*>(windows);
        collected.push_back(window);
        return collected.size() <= static_cast<std::size_t>(kMaxWindowEntries) ? TRUE : FALSE;
    });
}

// Lists the windows in z-order, their icons learnt first all at once.
void ListWindows() {
    std::vector<HWND> windows;
    EnumWindows(CollectWindowProc, reinterpret_cast<LPARAM>(&windows));
    std::vector<std::string> titles;
    std::vector<HWND> withEntries;
    for (HWND window : windows) {
        titles.push_back(ReadTitle(window));
        if (HasEntry(titles.back())) withEntries.push_back(window);
    }
    if (g_lib.options.showWindowIcons) LearnWindowIcons(withEntries);
    for (std::size_t k = 0; k < windows.size(); ++k) {
        const int index = AddToWindowTable(windows[k]);
        if (index < 0) return;
        ListWindow(index, windows[k], titles[k]);
    }
}

void ReleaseImages() { g_list.images.Release(); }

}  // namespace

HMENU BuildWindowList() {
    DestroyWindowList();
    g_list.root = CreatePopupMenu();
    if (!g_list.root) return nullptr;
    AppendMenuA(g_list.root, MF_STRING, kCmdTitle, RefreshTitle(TitleSide::Right));
    HMENU special = CreateSpecialSubmenu();
    g_list.allWindows = CreatePopupMenu();
    AppendMenuA(g_list.root, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(special, MF_POPUP, reinterpret_cast<UINT_PTR>(g_list.allWindows), "All windows");

    StartWindowTable();
    Guarded([] { ListWindows(); });

    AppendMenuA(g_list.root, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(g_list.root, MF_POPUP, reinterpret_cast<UINT_PTR>(special), "Special");
    return g_list.root;
}

void DestroyWindowList() {
    ReleaseImages();
    if (g_list.root) DestroyMenu(g_list.root);
    g_list.root = nullptr;
    g_list.allWindows = nullptr;
}

}  // namespace holm
