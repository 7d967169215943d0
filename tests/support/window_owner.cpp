// window_owner.exe TITLE: a program for the tests to start and end. It shows
// one top-level window titled with the rest of its command line and runs
// until that window is closed. Its class icon is the program's own icon, a
// plain square of kOwnerIconColour.
#include <windows.h>

#include <cstring>

#include "test_ids.h"

namespace {

// The command line after the program name.
const char* Arguments(const char* line) {
    if (*line == '"') {
        line = std::strchr(line + 1, '"');
        line = line ? line + 1 : "";
    } else {
        while (*line && *line != ' ') ++line;
    }
    while (*line == ' ') ++line;
    return line;
}

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(holmtest::kOwnerIconId));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "HolmTestWindowOwner";
    RegisterClassA(&wc);
    if (!CreateWindowExA(0, wc.lpszClassName, Arguments(GetCommandLineA()), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 320,
                         40, 200, 100, nullptr, nullptr, instance, nullptr))
        return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
