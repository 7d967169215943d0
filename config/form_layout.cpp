#include "form_layout.h"

namespace setwise {

void CreateControl(HWND dialog, const ControlSpec& spec) {
    HWND control = CreateWindowExA(spec.exStyle, spec.className, spec.text, WS_CHILD | WS_VISIBLE | spec.style,
                                   spec.x, spec.y, spec.width, spec.height, dialog,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), GetModuleHandleA(nullptr),
                                   nullptr);
    SendMessageA(control, WM_SETFONT, SendMessageA(dialog, WM_GETFONT, 0, 0), FALSE);
}

void PlaceForm(HWND form, int x, int y, int clientWidth, int clientHeight) {
    RECT rc = {0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&rc, static_cast<DWORD>(GetWindowLongPtrA(form, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(form, GWL_EXSTYLE)));
    SetWindowPos(form, nullptr, x, y, rc.right - rc.left, rc.bottom - rc.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace setwise
