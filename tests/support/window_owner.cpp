// window_owner.exe [/edit] TITLE: a program for the tests to start and end.
// It shows one top-level window titled with the rest of its command line and
// runs until that window is closed. With /edit the window is filled by an
// edit control that holds the keyboard focus whenever the window is active.
// Its class icon is the program's own icon, a plain square of kOwnerIconColour.
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

constexpr char kEditSwitch[] = "/edit ";

HWND g_edit = nullptr;

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_SETFOCUS:
        if (g_edit) SetFocus(g_edit);
        return 0;
    case WM_SIZE:
        if (g_edit) MoveWindow(g_edit, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
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
    const char* title = Arguments(GetCommandLineA());
    const bool withEdit = std::strncmp(title, kEditSwitch, sizeof(kEditSwitch) - 1) == 0;
    if (withEdit) title += sizeof(kEditSwitch) - 1;
    HWND window = CreateWindowExA(0, wc.lpszClassName, title, WS_OVERLAPPEDWINDOW, 320, 40, 200, 100, nullptr,
                                  nullptr, instance, nullptr);
    if (!window) return 1;
    if (withEdit) {
        RECT client = {};
        GetClientRect(window, &client);
        g_edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, client.right,
                                 client.bottom, window, nullptr, instance, nullptr);
    }
    ShowWindow(window, SW_SHOW);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
