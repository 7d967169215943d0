#include "test_windows.h"

namespace holmtest {

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


}  // namespace holmtest
