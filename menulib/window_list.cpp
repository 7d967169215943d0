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
#include "window_image.h"
#include "window_table.h"
#include "window_titles.h"

namespace holm {

namespace {

constexpr std::size_t kInitialImageCapacity = 100;

struct WindowListState {
    HMENU root = nullptr;
    HMENU allWindows = nullptr;
    std::vector<UniqueBitmap> bitmaps;  // the entries' images made for the plain style
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

// The window's image, kept until the list is destroyed.
MenuImageView AddWindowImage(HWND window) {
    WindowImage image = MakeWindowImage(window);
    const MenuImageView view = image.View();
    if (image.bitmap) g_list.bitmaps.push_back(std::move(image.bitmap));
    return view;
}

void AppendWindowEntry(HMENU menu, UINT id, const char* text, MenuImageView image) {
    AppendMenuA(menu, MF_STRING, id, text);
    if (!image.Empty()) AttachImage(menu, id, image);
}

// Lists one window of the enumeration; returns false to stop it.
bool ListWindow(HWND window) {
    const int index = AddToWindowTable(window);
    if (index < 0) return false;
    const UINT id = static_cast<UINT>(WindowCommandId(index));
    const std::string title = ReadTitle(window);
    const std::string text = WindowMenuText(title, g_lib.options.TitleReadLength() - 1);
    MenuImageView image;
    if (!title.empty() || g_lib.options.showNoTitleWindows) {
        if (g_lib.options.showWindowIcons) image = AddWindowImage(window);
        AppendWindowEntry(g_list.allWindows, id, title.empty() ? kNoTitleText : text.c_str(), image);
    }
    if (!title.empty() && IsWindowVisible(window) && !IsHiddenTitle(title.c_str(), HiddenTitles()))
        AppendWindowEntry(g_list.root, id, text.c_str(), image);
    return index < kMaxWindowEntries;
}

BOOL CALLBACK ListWindowProc(HWND window, LPARAM) {
    return Guarded(FALSE, [&] { return ListWindow(window) ? TRUE : FALSE; });
}

void ReleaseImages() { g_list.bitmaps.clear(); }

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
    g_list.bitmaps.reserve(kInitialImageCapacity);
    EnumWindows(ListWindowProc, 0);

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
