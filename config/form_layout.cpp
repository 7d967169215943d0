#include "form_layout.h"

#include "geometry.h"

namespace setwise {

void CreateControl(HWND dialog, const ControlSpec& layout) {
    HWND control = CreateWindowExA(layout.exStyle, layout.className, layout.text, WS_CHILD | WS_VISIBLE | layout.style,
                                   layout.x, layout.y, layout.width, layout.height, dialog,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)), GetModuleHandleA(nullptr),
                                   nullptr);
    SendMessageA(control, WM_SETFONT, SendMessageA(dialog, WM_GETFONT, 0, 0), FALSE);
}

holm::Rect WorkArea() {
    RECT area = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return {area.left, area.top, area.right, area.bottom};
}

void PlaceForm(HWND form, int x, int y, int clientWidth, int clientHeight) {
    RECT rc = {0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&rc, static_cast<DWORD>(GetWindowLongPtrA(form, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(form, GWL_EXSTYLE)));
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    // A form placed beside the main window still opens wholly on screen.
    const holm::Point at = holm::PlaceInsideArea({x, y}, {width, height}, WorkArea());
    SetWindowPos(form, nullptr, at.x, at.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace setwise
