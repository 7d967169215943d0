#include "AboutUnit.h"

#include <string>

#include "resource.h"

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

INT_PTR CALLBACK AboutProc(HWND box, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
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
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutProc, 0);
}

void ShowProgramPicture(HWND, PictureKind) {}

}  // namespace setwise
