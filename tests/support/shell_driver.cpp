#include "shell_driver.h"

#include <shlwapi.h>
#include <tlhelp32.h>

#include <cstring>
#include <sstream>

namespace holmtest {

std::string BinDir() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof(path));
    char* slash = std::strrchr(path, '\\');
    if (slash) *slash = '\0';
    return path;
}

void DeleteUserTree(const char* path) { SHDeleteKeyA(HKEY_CURRENT_USER, path); RegDeleteKeyA(HKEY_CURRENT_USER, path); }

void ResetHolmRegistry() { DeleteUserTree("Software\\Tarvel"); }

static HKEY CreateUserKey(const char* path) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return key;
}

void WriteUserDword(const char* path, const char* name, DWORD value) {
    HKEY key = CreateUserKey(path);
    if (!key) return;
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    RegCloseKey(key);
}

void WriteUserString(const char* path, const char* name, const std::string& value) {
    HKEY key = CreateUserKey(path);
    if (!key) return;
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}

void WriteMinimalConfiguration() {
    WriteUserString("Software\\Tarvel\\Holm", "LCancelStr", "Init Menu");
    WriteUserString("Software\\Tarvel\\Holm", "RCancelStr", "Window List");
    WriteUserDword("Software\\Tarvel\\Holm", "ShowNoTitleWindows", 0);
    WriteUserDword("Software\\Tarvel\\Holm", "TrayVisible", 0);
    HKEY key = CreateUserKey("Software\\Tarvel\\Holm\\Init Menu");
    if (key) RegCloseKey(key);
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs, int stepMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (static_cast<int>(GetTickCount() - start) >= timeoutMs) return false;
        Sleep(stepMs);
    }
}

ShellProcess::~ShellProcess() {
    if (!process_) return;
    if (Running()) {
        if (!Stop(5000)) TerminateProcess(process_, 1);
    }
    CloseHandle(process_);
}

bool ShellProcess::Start(const std::string& arguments) {
    const std::string dir = BinDir();
    std::string command = "\"" + dir + "\\holm.exe\"";
    if (!arguments.empty()) command += " " + arguments;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    pid_ = pi.dwProcessId;
    return true;
}

HWND ShellProcess::MainWindow() const {
    HWND hwnd = nullptr;
    while ((hwnd = FindWindowExA(nullptr, hwnd, "HOLM", "HOLM")) != nullptr) {
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        if (pid == pid_) return hwnd;
    }
    return nullptr;
}

DWORD ShellProcess::MainThread() const {
    HWND hwnd = MainWindow();
    return hwnd ? GetWindowThreadProcessId(hwnd, nullptr) : 0;
}

namespace {

struct DialogSearch {
    DWORD pid;
    bool wantSplash;
    HWND found;
};

bool IsDialogOf(HWND hwnd, DWORD pid) {
    char cls[16] = "";
    GetClassNameA(hwnd, cls, sizeof(cls));
    if (lstrcmpA(cls, "#32770") != 0 || !IsWindowVisible(hwnd)) return false;
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    return owner == pid;
}

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<DialogSearch*>(param);
    if (!IsDialogOf(hwnd, search->pid)) return TRUE;
    const bool splash = GetDlgItem(hwnd, 100) != nullptr;
    if (splash != search->wantSplash) return TRUE;
    search->found = hwnd;
    return FALSE;
}

HWND FindDialogOf(DWORD pid, bool splash) {
    DialogSearch search = {pid, splash, nullptr};
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

bool ShellProcess::WaitReady(int timeoutMs) {
    return WaitFor([this] { return !Running() || (MainWindow() && !FindDialogOf(pid_, true)); }, timeoutMs) &&
           Running();
}

bool ShellProcess::Stop(int timeoutMs) {
    HWND hwnd = MainWindow();
    if (hwnd) PostMessageA(hwnd, WM_CLOSE, 0, 0);
    return WaitExit(timeoutMs);
}

bool ShellProcess::WaitExit(int timeoutMs) {
    return process_ && WaitForSingleObject(process_, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

DWORD ShellProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_) GetExitCodeProcess(process_, &code);
    return code;
}

bool ShellProcess::Running() const { return process_ && ExitCode() == STILL_ACTIVE; }

void KillStrayShells() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, "holm.exe") != 0 && lstrcmpiA(entry.szExeFile, "holmcfg.exe") != 0) continue;
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID);
        if (!process) continue;
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
    CloseHandle(snapshot);
}

static void SendMouse(DWORD flags, int x, int y) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = (x * 65536 + cx - 1) / cx;  // rounded up: Wine maps back with dx * cx / 65536
    input.mi.dy = (y * 65536 + cy - 1) / cy;
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof(input));
}

void MoveMouse(int x, int y) {
    SendMouse(0, x, y);
    Sleep(30);
}

void MouseButton(int x, int y, bool right, bool down) {
    const DWORD flag = right ? (down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP)
                             : (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
    SendMouse(flag, x, y);
    Sleep(30);
}

void Click(int x, int y, bool right) {
    MoveMouse(x, y);
    MouseButton(x, y, right, true);
    MouseButton(x, y, right, false);
}

static void SendKey(WORD vk, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(input));
}

void PressKey(WORD vk, bool shift, bool control, bool alt) {
    if (shift) SendKey(VK_SHIFT, false);
    if (control) SendKey(VK_CONTROL, false);
    if (alt) SendKey(VK_MENU, false);
    SendKey(vk, false);
    SendKey(vk, true);
    if (alt) SendKey(VK_MENU, true);
    if (control) SendKey(VK_CONTROL, true);
    if (shift) SendKey(VK_SHIFT, true);
    Sleep(50);
}

std::vector<std::string> MenuSnapshot::Texts(int depth) const {
    std::vector<std::string> out;
    for (const MenuEntry& e : entries)
        if (e.depth == depth) out.push_back(e.Has('S') ? "-" : e.text);
    return out;
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

std::string g_received;

LRESULT CALLBACK ReceiverProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (cds && cds->lpData && cds->cbData > 0)
            g_received.assign(static_cast<const char*>(cds->lpData), cds->cbData - 1);
        return TRUE;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND ReceiverWindow() {
    static HWND hwnd = nullptr;
    if (hwnd) return hwnd;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ReceiverProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "HolmTestMenuReceiver";
    RegisterClassA(&wc);
    hwnd = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
    return hwnd;
}

struct MenuWindowSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindMenuWindow(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<MenuWindowSearch*>(param);
    char cls[16] = "";
    GetClassNameA(hwnd, cls, sizeof(cls));
    if (lstrcmpA(cls, "#32768") != 0 || !IsWindowVisible(hwnd)) return TRUE;
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
            std::istringstream r(line.substr(5));
            r >> snap.rect.left >> snap.rect.top >> snap.rect.right >> snap.rect.bottom;
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

}  // namespace

bool MenuOpen(DWORD pid) {
    MenuWindowSearch search = {pid, nullptr};
    EnumWindows(FindMenuWindow, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
}

MenuSnapshot WaitForMenu(const ShellProcess& shell, int timeoutMs) {
    if (!WaitFor([&] { return MenuOpen(shell.Pid()); }, timeoutMs)) return MenuSnapshot();
    const std::string spyPath = BinDir() + "\\menuspy.dll";
    static HMODULE spy = LoadLibraryA(spyPath.c_str());
    if (!spy) return MenuSnapshot();
    auto proc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(spy, "SpyProc")));
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, proc, spy, shell.MainThread());
    if (!hook) return MenuSnapshot();
    static const UINT request = RegisterWindowMessageA("HolmTestReadMenu");
    g_received.clear();
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(shell.MainWindow(), request, reinterpret_cast<WPARAM>(ReceiverWindow()), 0,
                        SMTO_ABORTIFHUNG, 5000, &ignored);
    UnhookWindowsHookEx(hook);
    return ParseListing(g_received);
}

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

MessageBoxInfo WaitForMessageBox(DWORD pid, int timeoutMs) {
    MessageBoxInfo info;
    WaitFor([&] { return (info.hwnd = FindDialogOf(pid, false)) != nullptr; }, timeoutMs);
    if (!info.hwnd) return info;
    char text[2048] = "";
    GetWindowTextA(info.hwnd, text, sizeof(text));
    info.caption = text;
    text[0] = '\0';
    if (HWND label = GetDlgItem(info.hwnd, 0xFFFF)) GetWindowTextA(label, text, sizeof(text));
    info.text = text;
    return info;
}

void AnswerMessageBox(HWND box, int buttonId) {
    HWND button = GetDlgItem(box, buttonId);
    if (button) PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    else PostMessageA(box, WM_COMMAND, buttonId, 0);
}

struct TitleSearch {
    DWORD pid;
    const char* title;
    HWND found;
};

static BOOL CALLBACK FindTitled(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<TitleSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    char text[512] = "";
    GetWindowTextA(hwnd, text, sizeof(text));
    if (owner == search->pid && lstrcmpA(text, search->title) == 0) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindProcessWindow(DWORD pid, const char* title) {
    TitleSearch search = {pid, title, nullptr};
    EnumWindows(FindTitled, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace holmtest
