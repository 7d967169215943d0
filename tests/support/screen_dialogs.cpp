#include "screen_dialogs.h"

#include "shell_process.h"

namespace holmtest {

namespace {

constexpr int kSplashPicture = 100;  // a control only the splash has
constexpr int kMessageText = 0xFFFF;  // the static text of a message box

std::string TextOf(HWND hwnd) {
    char text[2048] = "";
    if (hwnd) GetWindowTextA(hwnd, text, sizeof(text));
    return text;
}

bool IsDialogOf(HWND hwnd, DWORD pid) {
    char cls[16] = "";
    GetClassNameA(hwnd, cls, sizeof(cls));
    if (lstrcmpA(cls, "#32770") != 0 || !IsWindowVisible(hwnd)) return false;
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    return owner == pid;
}

struct DialogList {
    DWORD pid;
    bool splash;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND hwnd, LPARAM param) {
    auto* list = reinterpret_cast<DialogList*>(param);
    const bool splash = GetDlgItem(hwnd, kSplashPicture) != nullptr;
    if (IsDialogOf(hwnd, list->pid) && splash == list->splash) list->found.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> DialogWindows(DWORD pid, bool splash) {
    DialogList list = {pid, splash, {}};
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&list));
    return list.found;
}

MessageBoxInfo Describe(HWND hwnd) {
    MessageBoxInfo info;
    info.hwnd = hwnd;
    info.caption = TextOf(hwnd);
    info.text = TextOf(GetDlgItem(hwnd, kMessageText));
    return info;
}

struct WindowSearch {
    DWORD pid;
    const char* cls;
    const char* title;
    bool visibleOnly;
    HWND found;
};

bool ClassIs(HWND hwnd, const char* cls) {
    char name[64] = "";
    GetClassNameA(hwnd, name, sizeof(name));
    return lstrcmpA(name, cls) == 0;
}

BOOL CALLBACK FindMatching(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != search->pid || (search->visibleOnly && !IsWindowVisible(hwnd))) return TRUE;
    if (search->cls && !ClassIs(hwnd, search->cls)) return TRUE;
    if (search->title && TextOf(hwnd) != search->title) return TRUE;
    search->found = hwnd;
    return FALSE;
}

BOOL CALLBACK CollectChildText(HWND hwnd, LPARAM param) {
    reinterpret_cast<std::vector<std::string>*>(param)->push_back(TextOf(hwnd));
    return TRUE;
}

}  // namespace

MessageBoxInfo WaitForMessageBox(DWORD pid, int timeoutMs) {
    HWND box = nullptr;
    WaitFor(
        [&] {
            const std::vector<HWND> boxes = DialogWindows(pid, false);
            box = boxes.empty() ? nullptr : boxes.front();
            return box != nullptr;
        },
        timeoutMs);
    return box ? Describe(box) : MessageBoxInfo();
}

void AnswerMessageBox(HWND box, int buttonId) {
    HWND button = GetDlgItem(box, buttonId);
    if (button) PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    else PostMessageA(box, WM_COMMAND, buttonId, 0);
}

std::vector<MessageBoxInfo> DialogsOf(DWORD pid) {
    std::vector<MessageBoxInfo> out;
    for (HWND hwnd : DialogWindows(pid, false)) out.push_back(Describe(hwnd));
    return out;
}

HWND SplashOf(DWORD pid) {
    const std::vector<HWND> splash = DialogWindows(pid, true);
    return splash.empty() ? nullptr : splash.front();
}

std::vector<std::string> ChildTexts(HWND dialog) {
    std::vector<std::string> out;
    EnumChildWindows(dialog, CollectChildText, reinterpret_cast<LPARAM>(&out));
    return out;
}

HWND FindProcessWindow(DWORD pid, const char* title) {
    WindowSearch search = {pid, nullptr, title, false, nullptr};
    EnumWindows(FindMatching, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindVisibleWindow(DWORD pid, const char* cls, const char* title) {
    WindowSearch search = {pid, cls, title, true, nullptr};
    EnumWindows(FindMatching, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace holmtest
