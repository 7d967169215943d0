#include "tray_balloon.h"

#include <algorithm>

#include "holm_names.h"
#include "no_throw.h"
#include "tray_state.h"

namespace holm::tray {

namespace {

constexpr UINT_PTR kTimeoutTimer = 1;
constexpr int kMargin = 8;
constexpr int kSignSize = 16;
constexpr int kTextWidth = 240;

std::string ToAnsi(const std::u16string& text) {
    if (text.empty()) return std::string();
    const wchar_t* wide = reinterpret_cast<const wchar_t*>(text.c_str());
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) return std::string();
    std::string ansi(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, -1, &ansi[0], bytes, nullptr, nullptr);
    ansi.resize(static_cast<std::size_t>(bytes - 1));
    return ansi;
}

// The system's shared sign for the balloon's kind, or null for none.
HICON SignOf(std::uint32_t kind) {
    switch (kind) {
    case kBalloonInfo: return LoadIconA(nullptr, IDI_ASTERISK);
    case kBalloonWarning: return LoadIconA(nullptr, IDI_EXCLAMATION);
    case kBalloonError: return LoadIconA(nullptr, IDI_HAND);
    default: return nullptr;
    }
}

int TextLeft() { return kMargin + (SignOf(g_tray.balloon.kind) ? kSignSize + 6 : 0); }

RECT TextRect(HDC dc, const std::string& text, HFONT font) {
    RECT rc = {0, 0, kTextWidth, 0};
    if (text.empty()) return rc;
    HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    DrawTextA(dc, text.c_str(), -1, &rc, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    return rc;
}

struct BalloonLayout {
    RECT title;
    RECT text;
    SIZE size;
};

BalloonLayout LayOut(HDC dc) {
    const Balloon& b = g_tray.balloon;
    BalloonLayout layout;
    layout.title = TextRect(dc, b.title, b.titleFont.Get());
    layout.text = TextRect(dc, b.text, nullptr);
    const int left = TextLeft();
    const int titleHeight = b.title.empty() ? 0 : layout.title.bottom + 4;
    OffsetRect(&layout.title, left, kMargin);
    OffsetRect(&layout.text, left, kMargin + titleHeight);
    const int width = std::max(layout.title.right, layout.text.right) + kMargin;
    const int height = std::max<LONG>(layout.text.bottom, kMargin + kSignSize) + kMargin;
    layout.size = {width + 2, height + 2};  // the border
    return layout;
}

void Paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (!dc) return;
    RECT all;
    GetClientRect(hwnd, &all);
    FillRect(dc, &all, GetSysColorBrush(COLOR_INFOBK));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    BalloonLayout layout = LayOut(dc);
    const Balloon& b = g_tray.balloon;
    if (HICON sign = SignOf(b.kind)) DrawIconEx(dc, kMargin, kMargin, sign, kSignSize, kSignSize, 0, nullptr, DI_NORMAL);
    {
        SelectInDC bold(dc, b.titleFont.Get() ? static_cast<HGDIOBJ>(b.titleFont.Get()) : GetStockObject(DEFAULT_GUI_FONT));
        DrawTextA(dc, b.title.c_str(), -1, &layout.title, DT_WORDBREAK | DT_NOPREFIX);
    }
    SelectInDC normal(dc, GetStockObject(DEFAULT_GUI_FONT));
    DrawTextA(dc, b.text.c_str(), -1, &layout.text, DT_WORDBREAK | DT_NOPREFIX);
    EndPaint(hwnd, &ps);
}

// Tells the balloon's icon owner about it, when the owner asked for
// version 3 or later and takes callbacks.
void Notify(std::uint32_t event) {
    IconRecord key = {};
    key.hWnd = g_tray.balloon.owner;
    key.uID = g_tray.balloon.id;
    const int index = g_tray.icons.Find(key);
    if (index < 0) return;
    const TrayIcon& icon = g_tray.icons.At(index);
    if (icon.version < kFirstBalloonVersion || !icon.record.Has(kNifMessage)) return;
    PostMessageA(OwnerOf(icon.record), icon.record.uCallbackMessage, icon.record.uID, event);
}

void Close(std::uint32_t event) {
    Balloon& b = g_tray.balloon;
    if (!b.window || !IsWindowVisible(b.window)) return;
    KillTimer(b.window, kTimeoutTimer);
    ShowWindow(b.window, SW_HIDE);
    if (event) Notify(event);
    b.owner = b.id = 0;
}

LRESULT HandleBalloonMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint(hwnd);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        Close(kBalloonUserClick);
        return 0;
    case WM_TIMER:
        if (wParam == kTimeoutTimer) Close(kBalloonTimeout);
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

LRESULT CALLBACK BalloonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return Guarded<LRESULT>(0, [&] { return HandleBalloonMessage(hwnd, message, wParam, lParam); });
}

bool EnsureWindow() {
    Balloon& b = g_tray.balloon;
    if (b.window) return true;
    b.window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kTrayBalloonClass, nullptr, WS_POPUP | WS_BORDER, 0, 0,
                               0, 0, g_tray.window, nullptr, GetModuleHandleA(nullptr), nullptr);
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        metrics.lfStatusFont.lfWeight = FW_BOLD;
        b.titleFont.Reset(CreateFontIndirectA(&metrics.lfStatusFont));
    }
    return b.window != nullptr;
}

// Beside the icon's cell: below the tray where it fits, else above it,
// kept on the screen.
POINT PlaceFor(int index, SIZE size) {
    RECT tray;
    GetWindowRect(g_tray.window, &tray);
    POINT anchor = {tray.left, tray.bottom};
    const int slot = g_tray.icons.SlotOf(index);
    if (slot >= 0) {
        const Cell cell = CellOf(slot, g_tray.columns, g_tray.metrics);
        anchor = {(cell.left + cell.right) / 2, cell.bottom};
        ClientToScreen(g_tray.window, &anchor);
    }
    const Size screen = ScreenSize();
    POINT at = {anchor.x - size.cx + kSignSize, tray.bottom + 2};
    if (at.y + size.cy > screen.height) at.y = tray.top - size.cy - 2;
    at.x = std::max<LONG>(0, std::min<LONG>(at.x, screen.width - size.cx));
    at.y = std::max<LONG>(0, at.y);
    return at;
}

}  // namespace

ATOM RegisterBalloonClass() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = BalloonProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kTrayBalloonClass;
    return RegisterClassA(&wc);
}

void ShowBalloon(int index, const BalloonText& balloon) {
    Close(0);
    if (!EnsureWindow()) return;
    Balloon& b = g_tray.balloon;
    const IconRecord& record = g_tray.icons.At(index).record;
    b.owner = record.hWnd;
    b.id = record.uID;
    b.title = ToAnsi(balloon.title);
    b.text = ToAnsi(balloon.text);
    b.kind = balloon.flags & kBalloonIconMask;
    SIZE size;
    {
        WindowDC dc(b.window);
        size = LayOut(dc.Get()).size;
    }
    const POINT at = PlaceFor(index, size);
    SetWindowPos(b.window, HWND_TOPMOST, at.x, at.y, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(b.window, nullptr, TRUE);
    SetTimer(b.window, kTimeoutTimer, BalloonTimeoutMs(balloon.timeoutMs), nullptr);
    Notify(kBalloonShow);
}

void CloseBalloonOf(const IconRecord& record) {
    if (g_tray.balloon.owner == record.hWnd && g_tray.balloon.id == record.uID) Close(0);
}

}  // namespace holm::tray
