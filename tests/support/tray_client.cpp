#include "holm_names.h"
#include "tray_client.h"

#include <cstring>

#include "spy_client.h"

namespace holmtest {

namespace {

constexpr ULONG_PTR kIconsAnswer = 0x49434F4E;  // 'ICON', see tray_spy.cpp
constexpr ULONG_PTR kPaintAnswer = 0x5041494E;  // 'PAIN'

#pragma pack(push, 4)
struct WireRecord {  // NOTIFYICONDATA of a 32-bit program, wide form
    DWORD cbSize;
    DWORD hWnd;
    DWORD uID;
    DWORD uFlags;
    DWORD uCallbackMessage;
    DWORD hIcon;
    BYTE tip[128];
};
#pragma pack(pop)
static_assert(sizeof(WireRecord) == 152, "wire layout");

DWORD Bits(const void* handle) { return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(handle)); }

// Asks the tray spy hooked onto the shell's thread; true when it answered
// with `answerKind`.
bool AskSpy(const ShellProcess& shell, const char* request, LPARAM lParam, ULONG_PTR answerKind, SpyAnswer* answer) {
    static const Spy spy("trayspy.dll", "TraySpyProc");
    return spy.Ask(shell.MainWindow(), request, lParam, answer, 60000) && answer->kind == answerKind;
}

}  // namespace

std::vector<BYTE> NotificationBytes(DWORD operation, const TrayIconData& data) {
    WireRecord record = {};
    record.cbSize = data.wide ? 152 : 88;
    record.hWnd = Bits(data.owner);
    record.uID = data.id;
    record.uFlags = data.flags;
    record.uCallbackMessage = data.callback;
    record.hIcon = Bits(data.icon);
    if (data.wide)
        std::memcpy(record.tip, data.wideTip.c_str(), std::min<size_t>(data.wideTip.size(), 63) * sizeof(wchar_t));
    else
        std::memcpy(record.tip, data.tip.c_str(), std::min<size_t>(data.tip.size(), 63));
    std::vector<BYTE> bytes(8 + record.cbSize, 0);
    std::memcpy(&bytes[4], &operation, 4);
    std::memcpy(&bytes[8], &record, record.cbSize);
    return bytes;
}

std::optional<DWORD_PTR> TrayAnswer(HWND tray, ULONG_PTR copyDataId, const void* bytes, DWORD size, int timeoutMs) {
    COPYDATASTRUCT cds = {copyDataId, size, const_cast<void*>(bytes)};
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(tray, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_ABORTIFHUNG,
                             static_cast<UINT>(timeoutMs), &result))
        return std::nullopt;
    return result;
}

bool SendTrayBytes(HWND tray, ULONG_PTR copyDataId, const void* bytes, DWORD size, int timeoutMs) {
    return TrayAnswer(tray, copyDataId, bytes, size, timeoutMs) == std::optional<DWORD_PTR>(TRUE);
}

bool SendTrayNotification(HWND tray, DWORD operation, const TrayIconData& data) {
    const std::vector<BYTE> bytes = NotificationBytes(operation, data);
    return SendTrayBytes(tray, 1, bytes.data(), static_cast<DWORD>(bytes.size()));
}

HWND ShellTray() { return FindWindowA(holm::kTrayIconsClass, holm::kTrayTitle); }

HWND NotificationTarget() { return FindWindowA(holm::kTrayClass, nullptr); }

std::vector<HICON> MakeShellIcons(const ShellProcess& shell, int count, int firstColour) {
    std::vector<HICON> icons;
    SpyAnswer answer;
    if (!AskSpy(shell, "HolmTestTrayIcons", MAKELPARAM(count, firstColour), kIconsAnswer, &answer)) return icons;
    for (size_t i = 0; i + 4 <= answer.bytes.size(); i += 4) {
        DWORD bits;
        std::memcpy(&bits, &answer.bytes[i], 4);
        icons.push_back(reinterpret_cast<HICON>(static_cast<UINT_PTR>(bits)));
    }
    return icons;
}

double TrayPaintMicroseconds(const ShellProcess& shell, int repetitions) {
    SpyAnswer answer;
    if (!AskSpy(shell, "HolmTestTrayPaint", repetitions, kPaintAnswer, &answer) ||
        answer.bytes.size() != sizeof(double))
        return -1;
    double micros;
    std::memcpy(&micros, answer.bytes.data(), sizeof(micros));
    return micros;
}

POINT CellCentre(HWND tray, int index, int columns) {
    const int step = GetSystemMetrics(SM_CXSMICON) + 2;
    POINT p = {2 + (index % columns) * step + step / 2 - 1, 2 + (index / columns) * step + step / 2 - 1};
    ClientToScreen(tray, &p);
    return p;
}

COLORREF ScreenPixel(POINT p) {
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

bool WaitForCellColour(HWND tray, int index, int columns, COLORREF colour, int timeoutMs) {
    return WaitFor([&] { return ScreenPixel(CellCentre(tray, index, columns)) == colour; }, timeoutMs);
}

SIZE ClientSizeOf(HWND hwnd) {
    RECT rc = {};
    GetClientRect(hwnd, &rc);
    return {rc.right, rc.bottom};
}

bool WaitForClientSize(HWND hwnd, int width, int height, int timeoutMs) {
    return WaitFor(
        [&] {
            const SIZE s = ClientSizeOf(hwnd);
            return s.cx == width && s.cy == height;
        },
        timeoutMs);
}

namespace {

struct TooltipSearch {
    DWORD pid;
    std::string text;
};

BOOL CALLBACK FindTooltip(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<TooltipSearch*>(param);
    char cls[32] = "";
    GetClassNameA(hwnd, cls, sizeof(cls));
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != search->pid || lstrcmpiA(cls, "tooltips_class32") != 0 || !IsWindowVisible(hwnd)) return TRUE;
    // GetWindowText would give the stored title of another process's
    // window; the tooltip answers WM_GETTEXT with the tip it shows.
    char text[256] = "";
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        &ignored);
    search->text = text;
    return FALSE;
}

}  // namespace

std::string ShownTooltip(DWORD pid) {
    TooltipSearch search = {pid, ""};
    EnumWindows(FindTooltip, reinterpret_cast<LPARAM>(&search));
    return search.text;
}

std::string HoverTrayTip(HWND tray, DWORD pid, int index, int columns) {
    MoveMouse(300, 500);
    WaitFor([&] { return ShownTooltip(pid).empty(); }, 3000);
    const POINT p = CellCentre(tray, index, columns);
    MoveMouse(p.x, p.y);
    MoveMouse(p.x + 1, p.y);
    std::string tip;
    WaitFor([&] { return !(tip = ShownTooltip(pid)).empty(); }, 4000);
    return tip;
}

void PumpMessages(int ms) {
    const DWORD start = GetTickCount();
    MSG msg;
    do {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(10);
    } while (static_cast<int>(GetTickCount() - start) < ms);
}

namespace {

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* events = reinterpret_cast<std::vector<IconOwner::Event>*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (events && message >= WM_APP) {
        events->push_back({message, wParam, lParam});
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

std::vector<IconOwner::Event>& EventsOf(HWND hwnd) {
    static std::vector<IconOwner::Event> none;
    auto* events = reinterpret_cast<std::vector<IconOwner::Event>*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return events ? *events : none;
}

}  // namespace

IconOwner::IconOwner() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "HolmTestIconOwner";
    RegisterClassA(&wc);
    window_ = CreateWindowExA(0, wc.lpszClassName, "icon owner", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                              wc.hInstance, nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new std::vector<Event>()));
}

IconOwner::~IconOwner() { Destroy(); }

void IconOwner::Destroy() {
    if (!window_) return;
    delete &EventsOf(window_);
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
    window_ = nullptr;
}

const std::vector<IconOwner::Event>& IconOwner::Events() const { return EventsOf(window_); }

void IconOwner::Clear() { EventsOf(window_).clear(); }

bool IconOwner::Saw(UINT message, WPARAM wParam, LPARAM lParam) const {
    for (const Event& e : Events())
        if (e.message == message && e.wParam == wParam && e.lParam == lParam) return true;
    return false;
}

bool IconOwner::WaitForEvent(const std::function<bool(const Event&)>& match, int timeoutMs) {
    return WaitFor(
        [&] {
            PumpMessages(0);
            for (const Event& e : Events())
                if (match(e)) return true;
            return false;
        },
        timeoutMs, 20);
}

HANDLE StartTrayOwner(HICON icon, UINT id, const std::string& tip) {
    char args[64];
    wsprintfA(args, " %lu %u ", Bits(icon), id);
    std::string command = "\"" + BinDir() + "\\tray_owner.exe\"" + args + tip;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return nullptr;
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

}  // namespace holmtest
