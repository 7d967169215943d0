// trayspy.dll: hooked onto the shell's thread by a test. Under Wine an icon
// handle only works in the process that made it, so the icons that a test
// gives the tray are made here, inside the shell; the spy also times the
// tray's paint from the inside.
//
// Requests (registered messages sent to a window of the shell's thread,
// wParam = the test's receiving window):
//   "HolmTestTrayIcons": lParam = count (low word) and first colour (high
//     word); answers with the icon handles, 32 bits each.
//   "HolmTestTrayPaint": lParam = repetitions; answers with the mean time of
//     one full repaint of the tray in microseconds, as a double.
#include <windows.h>

#include <vector>

#include "spy_answer.h"
#include "tray_test_icons.h"

namespace {

constexpr ULONG_PTR kIconsAnswer = 0x49434F4E;  // 'ICON'
constexpr ULONG_PTR kPaintAnswer = 0x5041494E;  // 'PAIN'

void MakeIcons(HWND target, int count, int firstColour) {
    const int size = GetSystemMetrics(SM_CXSMICON);
    std::vector<DWORD> handles;
    for (int i = 0; i < count; ++i)
        handles.push_back(static_cast<DWORD>(
            reinterpret_cast<UINT_PTR>(holmtest::SolidIcon(holmtest::TestIconColour(firstColour + i), size))));
    holmtest::SendSpyAnswer(target, kIconsAnswer, handles.data(), static_cast<DWORD>(handles.size() * sizeof(DWORD)));
}

void TimePaint(HWND target, int repetitions) {
    HWND tray = FindWindowA("HolmTray", "HOLM Tray");
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < repetitions; ++i)
        RedrawWindow(tray, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    QueryPerformanceCounter(&end);
    const double micros = (end.QuadPart - start.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart) /
                          (repetitions ? repetitions : 1);
    holmtest::SendSpyAnswer(target, kPaintAnswer, &micros, sizeof(micros));
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK TraySpyProc(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT icons = RegisterWindowMessageA("HolmTestTrayIcons");
    static const UINT paint = RegisterWindowMessageA("HolmTestTrayPaint");
    if (const CWPSTRUCT* msg = holmtest::SpyMessage(code, lParam)) {
        if (msg->message == icons) MakeIcons(holmtest::SpyReceiver(msg), LOWORD(msg->lParam), HIWORD(msg->lParam));
        if (msg->message == paint) TimePaint(holmtest::SpyReceiver(msg), static_cast<int>(msg->lParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
