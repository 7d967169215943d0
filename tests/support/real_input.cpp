#include "real_input.h"

#include <string>

#include "shell_process.h"

namespace holmtest {

namespace {

DWORD g_lastDown[2] = {0, 0};  // left, right: when last pressed

void SendMouse(DWORD flags, int x, int y) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = (x * 65536 + cx - 1) / cx;  // rounded up: Wine maps back with dx * cx / 65536
    input.mi.dy = (y * 65536 + cy - 1) / cy;
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof(input));
}

void SendKey(WORD vk, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(input));
}

}  // namespace

void MoveMouse(int x, int y) {
    SendMouse(0, x, y);
    Sleep(30);
}

void SendMouseButton(int x, int y, bool right, bool down) {
    const DWORD flag = right ? (down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP)
                             : (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
    SendMouse(flag, x, y);
    if (down) g_lastDown[right] = GetTickCount();
}

void MouseButton(int x, int y, bool right, bool down) {
    SendMouseButton(x, y, right, down);
    Sleep(30);
}

void Click(int x, int y, bool right) {
    MoveMouse(x, y);
    MouseButton(x, y, right, true);
    MouseButton(x, y, right, false);
}

bool DragCapturedBy(HWND capturer, POINT from, POINT to, bool right) {
    MoveMouse(from.x, from.y);
    MouseButton(from.x, from.y, right, true);
    const DWORD thread = GetWindowThreadProcessId(capturer, nullptr);
    const bool captured = WaitFor(
        [&] {
            GUITHREADINFO info = {};
            info.cbSize = sizeof(info);
            return GetGUIThreadInfo(thread, &info) && info.hwndCapture == capturer;
        },
        5000, 20);
    MoveMouse((from.x + to.x) / 2, (from.y + to.y) / 2);
    MoveMouse(to.x, to.y);
    MouseButton(to.x, to.y, right, false);
    return captured;
}

void WaitOutDoubleClick(bool right) {
    const DWORD needed = GetDoubleClickTime() + 50;
    const DWORD since = GetTickCount() - g_lastDown[right];
    if (g_lastDown[right] && since < needed) Sleep(needed - since);
}

void MiddleClick(int x, int y) {
    MoveMouse(x, y);
    SendMouse(MOUSEEVENTF_MIDDLEDOWN, x, y);
    Sleep(30);
    SendMouse(MOUSEEVENTF_MIDDLEUP, x, y);
    Sleep(30);
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

bool PressXKeys(const char* keys) { return RunXKeys(std::string("key ") + keys); }

bool XModifiers::Available() { return RunXKeys("keyup shift keyup ctrl"); }

}  // namespace holmtest
