#include "holm_names.h"
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

void ResetHolmRegistry() { DeleteUserTree(holm::kVendorKey); }

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
    WriteUserString(holm::kOptionsKey, "LCancelStr", "Init Menu");
    WriteUserString(holm::kOptionsKey, "RCancelStr", "Window List");
    WriteUserDword(holm::kOptionsKey, "ShowNoTitleWindows", 0);
    WriteUserDword(holm::kOptionsKey, "TrayVisible", 1);
    HKEY key = CreateUserKey("Software\\Tarvel\\Holm\\Init Menu");
    if (key) RegCloseKey(key);
}

void WriteCloakRecord(const std::string& name, const CloakValues& v) {
    const std::string key = "Software\\Tarvel\\Holm\\Cloaks\\" + name;
    WriteUserString(key.c_str(), "BackgroundBitmap", v.background);
    WriteUserString(key.c_str(), "SubmenuIcon", v.submenuIcon);
    WriteUserString(key.c_str(), "HideCursor", v.hideCursor);
    WriteUserString(key.c_str(), "CloseCursor", v.closeCursor);
    WriteUserString(key.c_str(), "KillCursor", v.killCursor);
    WriteUserString(key.c_str(), "Font", v.font);
    WriteUserDword(key.c_str(), "Underline", v.underline);
    WriteUserDword(key.c_str(), "Italics", v.italics);
    WriteUserDword(key.c_str(), "Bold", v.bold);
    WriteUserString(key.c_str(), "TextColor", v.text);
    WriteUserString(key.c_str(), "DisabledTextColor", v.disabledText);
    WriteUserString(key.c_str(), "BorderAndSepColor", v.border);
}

void WriteDefaultCloak() {
    WriteUserDword(holm::kOptionsKey, "UseCustomMenus", 1);
    WriteUserString(holm::kOptionsKey, "Cloak", "Default");
    WriteCloakRecord("Default", CloakValues());
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

bool ShellProcess::StartWithoutShutdownPrivilege() {
    HANDLE own = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, &own)) return false;
    LUID_AND_ATTRIBUTES removed = {};
    HANDLE restricted = nullptr;
    const bool made = LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &removed.Luid) &&
                      CreateRestrictedToken(own, 0, 0, nullptr, 1, &removed, 0, nullptr, &restricted);
    CloseHandle(own);
    if (!made) return false;
    const std::string dir = BinDir();
    std::string command = "\"" + dir + "\\holm.exe\"";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    const BOOL started = CreateProcessAsUserA(restricted, nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                              dir.c_str(), &si, &pi);
    CloseHandle(restricted);
    if (!started) return false;
    CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    pid_ = pi.dwProcessId;
    return true;
}

HWND ShellProcess::MainWindow() const {
    HWND hwnd = nullptr;
    while ((hwnd = FindWindowExA(nullptr, hwnd, holm::kShellClass, holm::kShellTitle)) != nullptr) {
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
    // The "&Hide me" button (id 20) is made near the end of the start-up, and
    // the splash closes after the start-up has finished.
    const auto ready = [this] {
        HWND main = MainWindow();
        return main && GetDlgItem(main, 20) && !FindDialogOf(pid_, true);
    };
    return WaitFor([&] { return !Running() || ready(); }, timeoutMs) && Running();
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
    // Ask first, so that the shell's teardown removes its hook and hotkeys.
    for (HWND hwnd; (hwnd = FindWindowA(holm::kShellClass, holm::kShellTitle)) != nullptr;) {
        PostMessageA(hwnd, WM_CLOSE, 0, 0);
        if (!WaitFor([hwnd] { return !IsWindow(hwnd); }, 3000)) break;
    }
    for (const char* exe : {"holm.exe", "holmcfg.exe"}) {
        for (DWORD pid : ProcessesNamed(exe)) {
            HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
            if (!process) continue;
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
}

std::set<DWORD> ProcessesNamed(const char* exe) {
    std::set<DWORD> pids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return pids;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (lstrcmpiA(entry.szExeFile, exe) == 0) pids.insert(entry.th32ProcessID);
    CloseHandle(snapshot);
    return pids;
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

void MiddleClick(int x, int y) {
    MoveMouse(x, y);
    SendMouse(MOUSEEVENTF_MIDDLEDOWN, x, y);
    Sleep(30);
    SendMouse(MOUSEEVENTF_MIDDLEUP, x, y);
    Sleep(30);
}

namespace {

std::vector<UINT> g_buttonMessages;

LRESULT CALLBACK ButtonTargetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK) ||
        (message >= WM_NCLBUTTONDOWN && message <= WM_NCMBUTTONDBLCLK))
        g_buttonMessages.push_back(message);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

ButtonTarget::ButtonTarget(int x, int y, int width, int height) {
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ButtonTargetProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "HolmTestButtonTarget";
    RegisterClassA(&wc);
    window_ = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "Button target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x,
                              y, width, height, nullptr, nullptr, wc.hInstance, nullptr);
    Take(300);
}

ButtonTarget::~ButtonTarget() {
    if (window_) DestroyWindow(window_);
}

std::vector<UINT> ButtonTarget::Take(int pumpMs) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < static_cast<DWORD>(pumpMs)) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(10);
    }
    std::vector<UINT> taken;
    taken.swap(g_buttonMessages);
    return taken;
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
    if ((lstrcmpA(cls, "#32768") != 0 && lstrcmpA(cls, holm::kMenuClass) != 0) || !IsWindowVisible(hwnd)) return TRUE;
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != search->pid) return TRUE;
    search->found = hwnd;
    return FALSE;
}

RECT ReadRect(const std::string& text) {
    RECT rc = {};
    std::istringstream r(text);
    r >> rc.left >> rc.top >> rc.right >> rc.bottom;
    return rc;
}

MenuSnapshot ParseListing(const std::string& listing) {
    MenuSnapshot snap;
    std::istringstream in(listing);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("rect ", 0) == 0) {
            snap.open = true;
            snap.rect = ReadRect(line.substr(5));
            continue;
        }
        if (line == "cloaked") {
            snap.cloaked = true;
            continue;
        }
        if (line.rfind("level ", 0) == 0) {
            snap.levels.push_back(ReadRect(line.substr(6)));
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

}  // namespace

bool MenuOpen(DWORD pid) {
    MenuWindowSearch search = {pid, nullptr};
    EnumWindows(FindMenuWindow, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
}

// Hooks the spy DLL onto the shell's thread and sends it the registered
// message `request`, with the test's receiver window as wParam.
static bool AskSpy(const ShellProcess& shell, const char* request) {
    const std::string spyPath = BinDir() + "\\menuspy.dll";
    static HMODULE spy = LoadLibraryA(spyPath.c_str());
    if (!spy) return false;
    auto proc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(spy, "SpyProc")));
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, proc, spy, shell.MainThread());
    if (!hook) return false;
    DWORD_PTR ignored = 0;
    const bool sent = SendMessageTimeoutA(shell.MainWindow(), RegisterWindowMessageA(request),
                                          reinterpret_cast<WPARAM>(ReceiverWindow()), 0, SMTO_ABORTIFHUNG, 5000,
                                          &ignored) != 0;
    UnhookWindowsHookEx(hook);
    return sent;
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
    g_received.clear();
    if (!AskSpy(shell, "HolmTestReadMenu")) return MenuSnapshot();
    return ParseListing(g_received);
}

bool DropMouseHook(const ShellProcess& shell) { return AskSpy(shell, "HolmTestDropMouseHook"); }

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

void KeyDown(WORD vk) { SendKey(vk, false); }
void KeyUp(WORD vk) { SendKey(vk, true); }

HeldModifiers::HeldModifiers(bool shift, bool control) : shift_(shift), control_(control) {
    if (shift_) KeyDown(VK_SHIFT);
    if (control_) KeyDown(VK_CONTROL);
    Sleep(50);
}

HeldModifiers::~HeldModifiers() {
    if (control_) KeyUp(VK_CONTROL);
    if (shift_) KeyUp(VK_SHIFT);
    Sleep(50);
}

namespace {

// Asks the X key helper to run `words` (xdotool commands); true once done.
bool RunXKeys(const std::string& words) {
    const std::string dir = BinDir() + "\\xkeys";
    if (GetFileAttributesA(dir.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    const std::string request = dir + "\\request";
    const std::string temp = dir + "\\request.new";
    HANDLE f = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(f, words.data(), static_cast<DWORD>(words.size()), &written, nullptr);
    CloseHandle(f);
    if (!MoveFileExA(temp.c_str(), request.c_str(), MOVEFILE_REPLACE_EXISTING)) return false;
    const bool done = WaitFor([&] { return GetFileAttributesA(request.c_str()) == INVALID_FILE_ATTRIBUTES; }, 2000, 10);
    Sleep(50);
    return done;
}

std::string ModifierWords(const char* verb, bool shift, bool control) {
    std::string words;
    if (shift) words += std::string(verb) + " shift ";
    if (control) words += std::string(verb) + " ctrl ";
    return words;
}

}  // namespace

XModifiers::XModifiers(bool shift, bool control) : shift_(shift), control_(control) {
    if (shift_ || control_) RunXKeys(ModifierWords("keydown", shift_, control_));
}

XModifiers::~XModifiers() {
    if (shift_ || control_) RunXKeys(ModifierWords("keyup", shift_, control_));
}

bool XModifiers::Available() { return RunXKeys("keyup shift keyup ctrl"); }

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
    const std::string spyPath = BinDir() + "\\menurects.dll";
    static HMODULE spy = LoadLibraryA(spyPath.c_str());
    if (!spy) return false;
    auto proc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(spy, "RectSpyProc")));
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, proc, spy, shell.MainThread());
    if (!hook) return false;
    static const UINT request = RegisterWindowMessageA("HolmTestReadMenuRects");
    g_received.clear();
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(shell.MainWindow(), request, reinterpret_cast<WPARAM>(ReceiverWindow()), 0,
                        SMTO_ABORTIFHUNG, 5000, &ignored);
    UnhookWindowsHookEx(hook);
    std::istringstream in(g_received);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t bar = line.find('|');
        if (bar == std::string::npos || line.substr(bar + 1) != text) continue;
        std::istringstream r(line.substr(0, bar));
        r >> rect->left >> rect->top >> rect->right >> rect->bottom;
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

namespace {

constexpr UINT kCreateWindow = WM_APP + 1;
constexpr UINT kEndThread = WM_APP + 2;

struct WindowRequest {
    const std::string* title;
    DWORD style;
    DWORD exStyle;
    bool withIcon;
    int x, y;
};

const char kIconClass[] = "HolmTestWindow";
const char kPlainClass[] = "HolmTestWindowNoIcon";

void RegisterTestClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kPlainClass;
    RegisterClassA(&wc);
    wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    wc.lpszClassName = kIconClass;
    RegisterClassA(&wc);
}

HWND CreateTestWindow(const WindowRequest& r) {
    return CreateWindowExA(r.exStyle, r.withIcon ? kIconClass : kPlainClass, r.title->c_str(), r.style, r.x, r.y,
                           200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

BOOL CALLBACK DestroyThreadWindow(HWND hwnd, LPARAM) {
    DestroyWindow(hwnd);
    return TRUE;
}

LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kCreateWindow:
        return reinterpret_cast<LRESULT>(CreateTestWindow(*reinterpret_cast<const WindowRequest*>(lParam)));
    case kEndThread:
        EnumThreadWindows(GetCurrentThreadId(), DestroyThreadWindow, 0);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace

WindowThread::WindowThread() {
    RegisterTestClasses();
    ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    WaitForSingleObject(ready_, 10000);
}

WindowThread::~WindowThread() {
    if (control_) SendMessageA(control_, kEndThread, 0, 0);
    if (thread_) {
        WaitForSingleObject(thread_, 10000);
        CloseHandle(thread_);
    }
    if (ready_) CloseHandle(ready_);
}

DWORD WINAPI WindowThread::Run(LPVOID param) {
    auto* self = static_cast<WindowThread*>(param);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ControlProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "HolmTestWindowControl";
    RegisterClassA(&wc);
    // A message-only window: it never shows up among the top-level windows.
    self->control_ = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     wc.hInstance, nullptr);
    SetEvent(self->ready_);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

HWND WindowThread::Create(const std::string& title, DWORD style, DWORD exStyle, bool withIcon, int x, int y) {
    const WindowRequest request = {&title, style, exStyle, withIcon, x, y};
    return reinterpret_cast<HWND>(SendMessageA(control_, kCreateWindow, 0, reinterpret_cast<LPARAM>(&request)));
}


HungWindow::HungWindow(const std::string& title) : title_(title) {
    RegisterTestClasses();
    created_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    release_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    WaitForSingleObject(created_, 10000);
}

HungWindow::~HungWindow() {
    SetEvent(release_);
    WaitForSingleObject(thread_, 10000);
    CloseHandle(thread_);
    CloseHandle(created_);
    CloseHandle(release_);
}

DWORD WINAPI HungWindow::Run(LPVOID param) {
    auto* self = static_cast<HungWindow*>(param);
    const WindowRequest request = {&self->title_, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, true, 60, 60};
    self->window_ = CreateTestWindow(request);
    SetEvent(self->created_);
    WaitForSingleObject(self->release_, INFINITE);  // takes no messages meanwhile
    DestroyWindow(self->window_);
    return 0;
}

HANDLE StartWindowOwner(const std::string& title, DWORD* pid) {
    const std::string dir = BinDir();
    std::string command = "\"" + dir + "\\window_owner.exe\" " + title;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi))
        return nullptr;
    CloseHandle(pi.hThread);
    if (pid) *pid = pi.dwProcessId;
    return pi.hProcess;
}

namespace {

struct DialogList {
    DWORD pid;
    std::vector<MessageBoxInfo>* out;
};

BOOL CALLBACK CollectDialog(HWND hwnd, LPARAM param) {
    auto* list = reinterpret_cast<DialogList*>(param);
    if (!IsDialogOf(hwnd, list->pid) || GetDlgItem(hwnd, 100) != nullptr) return TRUE;
    MessageBoxInfo info;
    info.hwnd = hwnd;
    char text[2048] = "";
    GetWindowTextA(hwnd, text, sizeof(text));
    info.caption = text;
    text[0] = '\0';
    if (HWND label = GetDlgItem(hwnd, 0xFFFF)) GetWindowTextA(label, text, sizeof(text));
    info.text = text;
    list->out->push_back(info);
    return TRUE;
}

BOOL CALLBACK CollectChildText(HWND hwnd, LPARAM param) {
    char text[2048] = "";
    GetWindowTextA(hwnd, text, sizeof(text));
    reinterpret_cast<std::vector<std::string>*>(param)->push_back(text);
    return TRUE;
}

}  // namespace

HWND FindProcessWindowAny(DWORD pid, const char* title) { return FindProcessWindow(pid, title); }

bool PostHotkey(const ShellProcess& shell, int id) {
    HWND hwnd = shell.MainWindow();
    return hwnd && PostMessageA(hwnd, WM_HOTKEY, static_cast<WPARAM>(id), 0);
}

bool PostCommand(const ShellProcess& shell, int id) {
    HWND hwnd = shell.MainWindow();
    return hwnd && PostMessageA(hwnd, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

std::vector<MessageBoxInfo> DialogsOf(DWORD pid) {
    std::vector<MessageBoxInfo> out;
    DialogList list = {pid, &out};
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&list));
    return out;
}

std::vector<std::string> ChildTexts(HWND dialog) {
    std::vector<std::string> out;
    EnumChildWindows(dialog, CollectChildText, reinterpret_cast<LPARAM>(&out));
    return out;
}

}  // namespace holmtest
