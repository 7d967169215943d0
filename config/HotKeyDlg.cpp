#include "HotKeyDlg.h"

#include <commctrl.h>

#include "form_layout.h"
#include "holm_names.h"
#include "registry.h"
#include "holm_values.h"
#include "hotkey_plan.h"
#include "messages.h"
#include "resource.h"
#include "win_handles.h"
#include "no_throw.h"

namespace setwise {

namespace {

constexpr int kClientWidth = 313, kClientHeight = 269;

struct Row {
    const char* label;
    const char* valueName;
};

namespace values = holm::values;
const Row kRows[kSpecialHotkeyCount] = {
    {"Init Menu:", values::kHotkeyInitMenu},          {"Window List:", values::kHotkeyWindowList},
    {"Configure HOLM:", values::kHotkeyConfigure},    {"Run:", values::kHotkeyRun},
    {"Show/Hide Tray:", values::kHotkeyToggleTray},   {"Logoff:", values::kHotkeyLogoff},
    {"Shutdown:", values::kHotkeyShutdown},           {"Reboot:", values::kHotkeyReboot}};

// The form's shortcuts: its initial ones until something else is loaded or shown.
unsigned g_shortcuts[kSpecialHotkeyCount] = {8219, 24603, 0, 0, 0, 0, 0, 0};

holm::UniqueKey CreateHotkeysKey() {
    return holm::CreateUserKey(holm::kConfigHotkeysKey, KEY_QUERY_VALUE | KEY_SET_VALUE);
}

HWND HotkeyControl(HWND dialog, int index) { return GetDlgItem(dialog, IDC_SPECIALHOTKEY1 + index); }

void CreateDialogControls(HWND dialog) {
    CreateControl(dialog, {"STATIC", "", -1, SS_ETCHEDFRAME, 8, 8, 297, 217});
    for (int i = 0; i < kSpecialHotkeyCount; ++i)
        CreateControl(dialog, {"STATIC", kRows[i].label, -1, SS_LEFT, 24, 24 + 24 * i + 3, 108, 16});
    CreateControl(dialog, {"BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 71, 236, 75, 25});
    CreateControl(dialog, {"BUTTON", "Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 159, 236, 75, 25});
    for (int i = 0; i < kSpecialHotkeyCount; ++i) {
        CreateControl(dialog, {HOTKEY_CLASSA, "", IDC_SPECIALHOTKEY1 + i, WS_TABSTOP, 136, 24 + 24 * i, 121, 19,
                               WS_EX_CLIENTEDGE});
        HWND control = HotkeyControl(dialog, i);
        SendMessageA(control, HKM_SETRULES, 0, 0);  // every combination is allowed
        SendMessageA(control, HKM_SETHOTKEY, holm::hotkeys::ControlFromStored(g_shortcuts[i]), 0);
    }
}

// What the controls show stays with the form, whether OK or Cancel closes it.
void KeepShownShortcuts(HWND dialog) {
    for (int i = 0; i < kSpecialHotkeyCount; ++i)
        g_shortcuts[i] = holm::hotkeys::StoredFromControl(
            static_cast<unsigned>(SendMessageA(HotkeyControl(dialog, i), HKM_GETHOTKEY, 0, 0)) & 0xFFFF);
}

struct Placement {
    int x, y;
};

INT_PTR HotKeyDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        const auto* at = reinterpret_cast<const Placement*>(lParam);
        PlaceForm(dialog, at->x, at->y, kClientWidth, kClientHeight);
        CreateDialogControls(dialog);
        SetFocus(GetDlgItem(dialog, IDOK));
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            KeepShownShortcuts(dialog);
            if (LOWORD(wParam) == IDOK && !HotKeySaveForm()) {
                ShowFormMessage(dialog, "The hotkeys could not be written to the registry. They were not saved.",
                                kCaptionError, MB_OK | MB_ICONERROR);
                return TRUE;
            }
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

void HotKeyFillForm() {
    holm::UniqueKey key = CreateHotkeysKey();
    if (!key) return;
    for (int i = 0; i < kSpecialHotkeyCount; ++i) {
        DWORD value = 0, size = sizeof(value), type = 0;
        if (RegQueryValueExA(key.Get(), kRows[i].valueName, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
                ERROR_SUCCESS &&
            size == sizeof(value))
            g_shortcuts[i] = value & 0xFFFF;
    }
}

bool HotKeySaveForm() {
    holm::UniqueKey key = CreateHotkeysKey();
    if (!key) return false;
    for (int i = 0; i < kSpecialHotkeyCount; ++i) {
        const DWORD value = g_shortcuts[i] & 0xFFFF;
        if (RegSetValueExA(key.Get(), kRows[i].valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                           sizeof(value)) != ERROR_SUCCESS)
            return false;
    }
    return true;
}

void ShowHotKeyDlg(HWND owner, int x, int y) {
    Placement at = {x, y};
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_HOTKEYS), owner, holm::GuardedProc<INT_PTR, HotKeyDlgProc>,
                    reinterpret_cast<LPARAM>(&at));
}

unsigned HotKeyShortcut(int index) { return g_shortcuts[index]; }
void SetHotKeyShortcut(int index, unsigned shortcut) { g_shortcuts[index] = shortcut & 0xFFFF; }

}  // namespace setwise
