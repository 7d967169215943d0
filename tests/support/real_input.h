// Real mouse and keyboard input for a test in the same Wine desktop as the
// program it drives: SendInput, and X key presses through the helper that
// tests/e2e/with-x-keys.sh runs beside the test.
#pragma once
#include <windows.h>

namespace holmtest {

void MoveMouse(int x, int y);
void MouseButton(int x, int y, bool right, bool down);
// The same without the wait after it, for timing what the press causes.
void SendMouseButton(int x, int y, bool right, bool down);
void Click(int x, int y, bool right = false);
void MiddleClick(int x, int y);
// Presses a button at `from`, waits until `capturer` holds the mouse capture
// (moves sent earlier would go to the window under the pointer), moves on
// through the midpoint to `to` and lets go there.
bool DragCapturedBy(HWND capturer, POINT from, POINT to, bool right);
// Waits until a click of this button would no longer make a double click
// with its last press.
void WaitOutDoubleClick(bool right = false);

void PressKey(WORD vk, bool shift = false, bool control = false, bool alt = false);
// Holding keys while the shell takes a command.
void KeyDown(WORD vk);
void KeyUp(WORD vk);

// Presses and releases keys on the X display, the way a real keyboard does
// (xdotool key names, e.g. "Down Escape"); false when the helper is absent.
bool PressXKeys(const char* keys);

// Holds Shift and/or Ctrl from construction to destruction.
class HeldModifiers {
public:
    HeldModifiers(bool shift, bool control);
    HeldModifiers(const HeldModifiers&) = delete;
    HeldModifiers& operator=(const HeldModifiers&) = delete;
    ~HeldModifiers();

private:
    bool shift_, control_;
};

// Holds Shift and/or Ctrl as real key presses on the X display. Wine drops
// keys held with SendInput when one of its windows takes the focus (it
// re-reads the keyboard from X); these stay held.
class XModifiers {
public:
    XModifiers(bool shift, bool control);
    XModifiers(const XModifiers&) = delete;
    XModifiers& operator=(const XModifiers&) = delete;
    ~XModifiers();
    // Whether the helper runs and answers.
    static bool Available();

private:
    bool shift_, control_;
};

}  // namespace holmtest
