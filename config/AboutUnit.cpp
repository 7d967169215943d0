#include "AboutUnit.h"

#include <string>

#include "jpeg_decode.h"
#include "resource.h"
#include "win_handles.h"
#include "no_throw.h"

namespace setwise {

namespace {

constexpr UINT_PTR kScrollTimer = 1;
constexpr UINT kScrollPeriod = 200;
constexpr size_t kVisibleChars = 39;

// The thanks line keeps its scroll position between showings.
std::string g_thanks =
    "Thanks to everyone who tried the early versions, reported faults and suggested features.   ";

void ScrollThanks(HWND box) {
    g_thanks = g_thanks.substr(1) + g_thanks[0];
    SetDlgItemTextA(box, IDC_ABOUTTHANKS, g_thanks.substr(0, kVisibleChars).c_str());
}

INT_PTR AboutProc(HWND box, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        ShowProgramPicture(GetDlgItem(box, IDC_ABOUTPICTURE), PictureKind::About);
        SetDlgItemTextA(box, IDC_ABOUTTHANKS, g_thanks.substr(0, kVisibleChars).c_str());
        SetTimer(box, kScrollTimer, kScrollPeriod, nullptr);
        return TRUE;
    case WM_TIMER:
        if (wParam == kScrollTimer) ScrollThanks(box);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            KillTimer(box, kScrollTimer);
            EndDialog(box, IDOK);
        }
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void ShowAboutBox(HWND owner) {
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT), owner, holm::GuardedProc<INT_PTR, AboutProc>, 0);
}

namespace {

// The decoded pictures live as long as the program: the static controls
// that show them do not own them.
holm::UniqueBitmap g_pictures[2];

HBITMAP BitmapOf(const RgbImage& image) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) return bitmap;
    const size_t stride = (static_cast<size_t>(image.width) * 3 + 3) & ~static_cast<size_t>(3);
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* from = image.rgb.data() + static_cast<size_t>(y) * image.width * 3;
        std::uint8_t* to = static_cast<std::uint8_t*>(bits) + stride * y;
        for (int x = 0; x < image.width; ++x) {
            to[x * 3] = from[x * 3 + 2];
            to[x * 3 + 1] = from[x * 3 + 1];
            to[x * 3 + 2] = from[x * 3];
        }
    }
    return bitmap;
}

HBITMAP LoadPicture(PictureKind kind) {
    holm::UniqueBitmap& slot = g_pictures[kind == PictureKind::About ? 0 : 1];
    if (slot) return slot.Get();
    const int id = kind == PictureKind::About ? IDR_ABOUTPICTURE : IDR_IMPORTPICTURE;
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));  // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return nullptr;
    const std::optional<RgbImage> image =
        DecodeJpeg(static_cast<const std::uint8_t*>(data), SizeofResource(module, found));
    if (image) slot.Reset(BitmapOf(*image));
    return slot.Get();
}

}  // namespace

void ShowProgramPicture(HWND control, PictureKind kind) {
    if (HBITMAP picture = LoadPicture(kind))
        SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
}

}  // namespace setwise
