#include "spy_client.h"

#include "shell_process.h"

namespace holmtest {

namespace {

SpyAnswer* g_pending = nullptr;

LRESULT CALLBACK ReceiverProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA) return DefWindowProcA(hwnd, message, wParam, lParam);
    const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (g_pending && cds) {
        g_pending->kind = cds->dwData;
        const BYTE* bytes = static_cast<const BYTE*>(cds->lpData);
        if (bytes) g_pending->bytes.assign(bytes, bytes + cds->cbData);
    }
    return TRUE;
}

HWND Receiver() {
    static HWND hwnd = nullptr;
    if (hwnd) return hwnd;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ReceiverProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "HolmTestSpyReceiver";
    RegisterClassA(&wc);
    hwnd = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
    return hwnd;
}

}  // namespace

std::string SpyAnswer::Text() const {
    std::string text(bytes.begin(), bytes.end());
    if (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

Spy::Spy(const char* dll, const char* hookProc) {
    library_ = LoadLibraryA((BinDir() + "\\" + dll).c_str());
    if (library_) proc_ = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(library_, hookProc)));
}

Spy::~Spy() {
    if (library_) FreeLibrary(library_);
}

bool Spy::Ask(HWND window, const char* request, LPARAM lParam, SpyAnswer* answer, int timeoutMs) const {
    if (!proc_ || !window) return false;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, proc_, library_, GetWindowThreadProcessId(window, nullptr));
    if (!hook) return false;
    SpyAnswer ignoredAnswer;
    g_pending = answer ? answer : &ignoredAnswer;
    *g_pending = SpyAnswer();
    DWORD_PTR ignored = 0;
    const bool sent = SendMessageTimeoutA(window, RegisterWindowMessageA(request), reinterpret_cast<WPARAM>(Receiver()),
                                          lParam, SMTO_ABORTIFHUNG, static_cast<UINT>(timeoutMs), &ignored) != 0;
    g_pending = nullptr;
    UnhookWindowsHookEx(hook);
    return sent;
}

}  // namespace holmtest
