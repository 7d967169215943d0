// holm95.dll: the desktop proxy. Loading it puts one full-screen window at
// the very bottom of the window order; clicks that reach the bare desktop
// land on it and are handed to the menu library's MouseHookProc as if the
// hook had seen them on the desktop window.
#include <windows.h>

#include "holm_names.h"

namespace {

using holm::kProxyClass;
constexpr char kCaption[] = "HOLM95";

struct ProxyState {
    HWND window = nullptr;
    HMODULE menuLibrary = nullptr;
    HOOKPROC hookProc = nullptr;
    HWND desktop = nullptr;
    int screenWidth = 0;
    int screenHeight = 0;
};

ProxyState g_proxy;

void Complain(const char* text) { MessageBoxA(nullptr, text, kCaption, MB_TOPMOST); }

BOOL CALLBACK HideIfMinimized(HWND hwnd, LPARAM) {
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    const LONG exStyle = GetWindowLongA(hwnd, GWL_EXSTYLE);
    const HWND parent = GetParent(hwnd);
    const bool qualifies = !(style & WS_CHILD) && IsWindowVisible(hwnd) &&
                           (!parent || parent == g_proxy.desktop) && !(exStyle & WS_EX_TOOLWINDOW) &&
                           !GetWindow(hwnd, GW_OWNER) && IsIconic(hwnd);
    if (qualifies) MoveWindow(hwnd, 6 * g_proxy.screenWidth, 6 * g_proxy.screenHeight, 150, 50, TRUE);
    return TRUE;
}

void HandToMenuLibrary(UINT message) {
    if (!g_proxy.hookProc) return;
    MOUSEHOOKSTRUCT info = {};
    GetCursorPos(&info.pt);
    info.hwnd = g_proxy.desktop;
    g_proxy.hookProc(HC_ACTION, message, reinterpret_cast<LPARAM>(&info));
}

LRESULT CALLBACK ProxyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return 1;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        PaintDesktop(dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_WINDOWPOSCHANGING: {
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        pos->hwndInsertAfter = HWND_BOTTOM;
        pos->flags |= SWP_NOSIZE | SWP_NOMOVE;
        return 0;
    }
    case WM_TIMER:
        EnumWindows(HideIfMinimized, 0);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        HandToMenuLibrary(message);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

bool CreateProxyWindow(HINSTANCE instance) {
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = ProxyProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BACKGROUND + 1);
    wc.lpszClassName = kProxyClass;
    RegisterClassA(&wc);
    g_proxy.window = CreateWindowExA(0, kProxyClass, nullptr, WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                     GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
    return g_proxy.window != nullptr;
}

// Destroying the window here would end the shell's message loop through
// WM_DESTROY; a failed load only takes the window away quietly.
void DiscardProxyWindow() {
    SetWindowLongPtrA(g_proxy.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcA));
    DestroyWindow(g_proxy.window);
    g_proxy.window = nullptr;
}

bool FindMenuLibrary() {
    g_proxy.menuLibrary = LoadLibraryA(holm::kMenuLibrary);
    if (!g_proxy.menuLibrary) {
        Complain("Failed to load holm.dll.  Echuta.");
        return false;
    }
    g_proxy.hookProc =
        reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(g_proxy.menuLibrary, holm::kHookProcName)));
    if (!g_proxy.hookProc) {
        Complain("Failed to find mouse hook proc in holm.dll.  Echuta.");
        return false;
    }
    if (IsBadCodePtr(reinterpret_cast<FARPROC>(reinterpret_cast<void*>(g_proxy.hookProc)))) {
        Complain("holm.dll!MouseHookProc() is an invalid address!  Echuta.");
        return false;
    }
    return true;
}

BOOL Load(HINSTANCE instance) {
    if (FindWindowA(kProxyClass, nullptr)) return TRUE;
    if (!CreateProxyWindow(instance)) {
        Complain("Failed to create background proxy window!");
        return FALSE;
    }
    ShowWindow(g_proxy.window, SW_SHOW);
    SetWindowPos(g_proxy.window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    if (!FindMenuLibrary()) {
        DiscardProxyWindow();
        return FALSE;  // a library that was found stays loaded, see Unload
    }
    g_proxy.desktop = GetDesktopWindow();
    g_proxy.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    g_proxy.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    SetTimer(g_proxy.window, 0, 250, nullptr);
    return TRUE;
}

// The shell frees this library as the last step of its teardown; the window
// must not outlive the code of its window procedure. The menu library is
// not freed here: freeing a library from DllMain is unsafe, and the process
// is ending anyway.
void Unload() {
    if (g_proxy.window && IsWindow(g_proxy.window)) {
        KillTimer(g_proxy.window, 0);
        SetWindowLongPtrA(g_proxy.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcA));
        DestroyWindow(g_proxy.window);
    }
    g_proxy.window = nullptr;
    g_proxy.hookProc = nullptr;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) return Load(instance);
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) Unload();
    return TRUE;
}
