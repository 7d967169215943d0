#include "OptionsUnit.h"

#include <commctrl.h>

#include <cstdlib>

#include "MenuScheme.h"
#include "RegUnit.h"
#include "registry.h"
#include "form_layout.h"
#include "group_keys.h"
#include "messages.h"
#include "resource.h"
#include "win_handles.h"
#include "window_util.h"
#include "no_throw.h"

namespace setwise {

namespace {

constexpr char kOptionsCaption[] = "HOLM Configuration";
constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr int kClientWidth = 506, kClientHeight = 479;
constexpr int kOffset = 25;
constexpr int kMaxDelayOnBar = 400;
constexpr int kLongestTitle = 4096;

struct CheckInfo {
    const char* valueName;
    const char* caption;
    int id;
    bool initiallyChecked;
    bool anyNonZeroChecks;  // read as a boolean; the others take only 0 and 1
};

const CheckInfo kChecks[kOptionCheckCount] = {
    {values::kMiddleButtonAsDblClick, "Middle mouse button as double click", IDC_OPT_CHECK1, true, false},
    {values::kShowCplIcons, "Show Control Panel icons in Init Menu", IDC_OPT_CHECK2, true, false},
    {values::kShowNoTitleWindows, "Show windows with no title in Window Menu", IDC_OPT_CHECK3, false, false},
    {values::kShowWindowIcons, "Show window icons in Window Menu", IDC_OPT_CHECK4, true, false},
    {values::kTrayOnTop, "Tray always visible", IDC_OPT_CHECK5, true, false},
    {values::kTrayAutoSize, "Autosize tray", IDC_OPT_CHECK6, true, false},
    {values::kTraySnapToEdge, "Snap tray to screen edges", IDC_OPT_CHECK7, true, false},
    {values::kShowHotkeysInLpum, "Show hotkeys on Init Menu", IDC_OPT_CHECK8, false, false},
    {values::kTrayVisible, "Show tray", IDC_OPT_CHECK9, true, false},
    {values::kShowProgIcons, "Show program icons on Init Menu", IDC_OPT_CHECK10, true, false},
    {values::kRunStartupGroupByDefault, "Always run Startup group on HOLM startup", IDC_OPT_CHECK11, true, false},
    {values::kForceDesktopDll, "Force use of Desktop DLL", IDC_OPT_CHECK12, false, false},
    {"HideMinimized", "Hide minimized windows", IDC_OPT_CHECK13, true, false},
    {values::kTrayVertical, "Make tray resize vertically", IDC_OPT_CHECK14, false, false},
    {values::kUseCustomMenus, "Use custom menus (cloaks)", IDC_OPT_CHECK15, true, true},
    {values::kReverseButtons, "Reverse menu buttons", IDC_OPT_CHECK16, false, true},
};

OptionsFormState g_state;
POINT g_position = {-1, -1};
HWND g_dialog = nullptr;
WNDPROC g_delayEditProc = nullptr;

bool ReadDword(HKEY key, const char* name, DWORD& value) {
    DWORD type = 0, size = sizeof(value);
    DWORD data = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(data))
        return false;
    value = data;
    return true;
}

bool ReadString(HKEY key, const char* name, std::string& value) {
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ) return false;
    std::string data(size + 1, '\0');
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size) != ERROR_SUCCESS)
        return false;
    data.resize(lstrlenA(data.c_str()));
    value = data;
    return true;
}

bool WriteDword(HKEY key, const char* name, DWORD value) {
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
           ERROR_SUCCESS;
}

bool WriteString(HKEY key, const char* name, const std::string& value) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

// A menu show delay that is not a whole number leaves the form as it was.
void FillMenuShowDelay() {
    holm::UniqueKey key = holm::OpenUserKey(kDesktopKey, KEY_QUERY_VALUE);
    std::string text;
    if (!key || !ReadString(key.Get(), "MenuShowDelay", text) || text.empty()) return;
    char* end = nullptr;
    const long delay = std::strtol(text.c_str(), &end, 10);
    if (*end == '\0' && delay >= 0 && delay <= 0x7FFFFFFF) g_state.menuShowDelay = static_cast<int>(delay);
}

void FillCheck(HKEY key, OptionCheck check) {
    DWORD value = 0;
    if (!ReadDword(key, kChecks[check].valueName, value)) return;
    if (kChecks[check].anyNonZeroChecks) g_state.checked[check] = value != 0;
    else if (value <= 1) g_state.checked[check] = value == 1;
}

void ApplyPlatformRule() {
    if (IsNT()) {
        g_state.checked[kForceDesktopDLL] = false;
        g_state.enabled[kForceDesktopDLL] = false;
        g_state.enabled[kHideMinimized] = false;
    } else {
        g_state.checked[kForceDesktopDLL] = true;
        g_state.enabled[kForceDesktopDLL] = false;
    }
}

void FillHiddenTitles(const std::string& keyPath) {
    holm::UniqueKey key = holm::OpenUserKey((keyPath + "WindowsNotToShow").c_str(), KEY_QUERY_VALUE);
    if (!key) return;
    for (DWORD i = 0;; ++i) {
        char name[16384];
        DWORD size = sizeof(name);
        if (RegEnumValueA(key.Get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        g_state.hiddenTitles.emplace_back(name, size);
    }
}

// The hidden titles become exactly the list's entries.
bool SaveHiddenTitles() {
    holm::UniqueKey key = holm::CreateUserKey(holm::kHiddenTitlesKey);
    if (!key) return false;
    for (;;) {
        char name[16384];
        DWORD size = sizeof(name);
        if (RegEnumValueA(key.Get(), 0, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        if (RegDeleteValueA(key.Get(), name) != ERROR_SUCCESS) return false;
    }
    for (const std::string& title : g_state.hiddenTitles)
        if (!WriteString(key.Get(), title.c_str(), "")) return false;
    return true;
}

std::string ShellProgramPath() {
    char path[MAX_PATH] = "";
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, n);
    dir.resize(dir.find_last_of('\\') + 1);
    return dir + "holm.exe";
}

// The window: controls in pixels, ids from resource.h.
const ControlSpec kOuterControls[] = {
    {"BUTTON", "HOLM Options", -1, BS_GROUPBOX, 8, 4, 490, 360},
    {"STATIC", "Init Menu cancel string (popup title):", -1, SS_LEFT, 16, 20, 272, 14},
    {"EDIT", "", IDC_OPT_INITTITLE, ES_AUTOHSCROLL | WS_TABSTOP, 16, 36, 272, 21, WS_EX_CLIENTEDGE},
    {"STATIC", "Window list cancel string (popup title):", -1, SS_LEFT, 16, 62, 272, 14},
    {"EDIT", "", IDC_OPT_LISTTITLE, ES_AUTOHSCROLL | WS_TABSTOP, 16, 78, 272, 21, WS_EX_CLIENTEDGE},
    {"STATIC", "Popup string symbols:", -1, SS_LEFT, 16, 104, 272, 14},
    {"STATIC", "%t - Time      %d - Date     %u - User     %c - Computer", -1, SS_LEFT | SS_NOPREFIX, 16, 118,
     272, 28},
    {"BUTTON", "General HOLM Options (updated on HOLM restart)", -1, BS_GROUPBOX, 16, 146, 272, 212},
    {"STATIC", "Maximum length of Window Title", -1, SS_LEFT, 24, 166, 196, 14},
    {"EDIT", "", IDC_OPT_MAXTITLE, ES_NUMBER | WS_TABSTOP, 222, 163, 56, 20, WS_EX_CLIENTEDGE},
    {UPDOWN_CLASSA, "", IDC_OPT_MAXTITLESPIN, UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0,
     0, 0, 0},
    {"BUTTON", "Windows not to show", -1, BS_GROUPBOX, 296, 12, 194, 180},
    {"STATIC", "Specify the window titles you don't want to see in the task list (right-click) menu.", -1, SS_LEFT,
     304, 28, 178, 42},
    {"LISTBOX", "", IDC_OPT_TITLES, LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, 304, 72, 178,
     84, WS_EX_CLIENTEDGE},
    {"BUTTON", "Add", IDC_OPT_ADDTITLE, BS_PUSHBUTTON | WS_TABSTOP, 304, 162, 64, 22},
    {"BUTTON", "Remove", IDC_OPT_REMOVETITLES, BS_PUSHBUTTON | WS_TABSTOP, 376, 162, 64, 22},
    {"BUTTON", "System Tray Options", -1, BS_GROUPBOX, 296, 196, 194, 96},
    {"BUTTON", "Popup Menu Delay (ms)", -1, BS_GROUPBOX, 296, 296, 194, 62},
    {TRACKBAR_CLASSA, "", IDC_OPT_DELAYBAR, TBS_AUTOTICKS | TBS_HORZ | WS_TABSTOP, 302, 314, 124, 32},
    {"EDIT", "", IDC_OPT_DELAY, ES_NUMBER | WS_TABSTOP, 430, 318, 52, 20, WS_EX_CLIENTEDGE},
    {UPDOWN_CLASSA, "", IDC_OPT_DELAYSPIN, UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0,
     0, 0},
    {"BUTTON", "Cloaks", -1, BS_GROUPBOX, 8, 366, 490, 74},
    {"BUTTON", "Cloak Chooser...", IDC_OPT_CHOOSER, BS_PUSHBUTTON | WS_TABSTOP, 200, 380, 110, 24},
    {"STATIC", "Cloak Direcotory", -1, SS_LEFT, 16, 413, 100, 14},
    {"EDIT", "", IDC_OPT_CLOAKDIR, ES_AUTOHSCROLL | WS_TABSTOP, 120, 410, 140, 20, WS_EX_CLIENTEDGE},
    {"BUTTON", "Register HOLM Cloak file type (*.hc)", IDC_OPT_REGISTERTYPE, BS_PUSHBUTTON | WS_TABSTOP, 268, 407,
     222, 26},
    {"BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 257, 447, 75, 25},
    {"BUTTON", "Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 340, 447, 75, 25},
    {"BUTTON", "Apply", IDC_OPT_APPLY, BS_PUSHBUTTON | WS_TABSTOP, 423, 447, 75, 25},
};

// Where each check box stands: the general ones down the left group, the
// tray ones down their own group, the cloak switch in the cloak group.
POINT CheckPlace(OptionCheck check) {
    static const OptionCheck kGeneral[] = {kMiddleButtonAsDblClick, kShowProgIcons,    kShowWindowIcons,
                                           kShowCplIcons,           kShowNoTitleWindows, kShowHotkeysInLpum,
                                           kReverseRightAndLeftButtons, kRunStartupGroupByDefault,
                                           kForceDesktopDLL,        kHideMinimized};
    static const OptionCheck kTray[] = {kTrayVisible, kTrayAutoSize, kTraySnapToEdge, kTrayOnTop, kTrayVertical};
    for (int i = 0; i < static_cast<int>(sizeof(kGeneral) / sizeof(kGeneral[0])); ++i)
        if (kGeneral[i] == check) return POINT{24, 188 + 16 * i};
    for (int i = 0; i < static_cast<int>(sizeof(kTray) / sizeof(kTray[0])); ++i)
        if (kTray[i] == check) return POINT{304, 212 + 15 * i};
    return POINT{16, 384};
}

HWND Item(int id) { return GetDlgItem(g_dialog, id); }

std::string TextOf(int id) { return holm::WindowText(Item(id)); }

int NumberOf(int id) {
    BOOL ok = FALSE;
    const int n = static_cast<int>(GetDlgItemInt(g_dialog, id, &ok, FALSE));
    return ok ? n : 0;
}

void CreateFormControls() {
    for (const ControlSpec& layout : kOuterControls) CreateControl(g_dialog, layout);
    for (int c = 0; c < kOptionCheckCount; ++c) {
        const POINT at = CheckPlace(static_cast<OptionCheck>(c));
        CreateControl(g_dialog, {"BUTTON", kChecks[c].caption, kChecks[c].id, BS_AUTOCHECKBOX | WS_TABSTOP, at.x,
                                 at.y, c == kUseCustomMenus ? 180 : 262, 16});
    }
    SendMessageA(Item(IDC_OPT_MAXTITLESPIN), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(IDC_OPT_MAXTITLE)), 0);
    SendMessageA(Item(IDC_OPT_MAXTITLESPIN), UDM_SETRANGE32, 0, kLongestTitle);
    SendMessageA(Item(IDC_OPT_DELAYSPIN), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(IDC_OPT_DELAY)), 0);
    SendMessageA(Item(IDC_OPT_DELAYSPIN), UDM_SETRANGE32, 0, 0x7FFFFFFF);
    SendMessageA(Item(IDC_OPT_DELAYBAR), TBM_SETRANGE, FALSE, MAKELPARAM(0, kMaxDelayOnBar));
    SendMessageA(Item(IDC_OPT_DELAYBAR), TBM_SETTICFREQ, 50, 0);
}

void ShowState() {
    SetWindowTextA(Item(IDC_OPT_INITTITLE), g_state.initMenuTitle.c_str());
    SetWindowTextA(Item(IDC_OPT_LISTTITLE), g_state.windowListTitle.c_str());
    SendMessageA(Item(IDC_OPT_MAXTITLESPIN), UDM_SETPOS32, 0, g_state.maxTitleLength);
    for (int c = 0; c < kOptionCheckCount; ++c) {
        CheckDlgButton(g_dialog, kChecks[c].id, g_state.checked[c] ? BST_CHECKED : BST_UNCHECKED);
        EnableWindow(Item(kChecks[c].id), g_state.enabled[c]);
    }
    EnableWindow(Item(IDC_OPT_CHOOSER), g_state.checked[kUseCustomMenus]);
    SetWindowTextA(Item(IDC_OPT_CLOAKDIR), g_state.cloakDir.c_str());
    SendMessageA(Item(IDC_OPT_TITLES), LB_RESETCONTENT, 0, 0);
    for (const std::string& title : g_state.hiddenTitles)
        SendMessageA(Item(IDC_OPT_TITLES), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title.c_str()));
    SendMessageA(Item(IDC_OPT_DELAYSPIN), UDM_SETPOS32, 0, g_state.menuShowDelay);
    SendMessageA(Item(IDC_OPT_DELAYBAR), TBM_SETPOS, TRUE, g_state.menuShowDelay);
}

void KeepShownState() {
    g_state.initMenuTitle = TextOf(IDC_OPT_INITTITLE);
    g_state.windowListTitle = TextOf(IDC_OPT_LISTTITLE);
    g_state.maxTitleLength = NumberOf(IDC_OPT_MAXTITLE);
    if (g_state.maxTitleLength > kLongestTitle) g_state.maxTitleLength = kLongestTitle;
    for (int c = 0; c < kOptionCheckCount; ++c) {
        g_state.checked[c] = IsDlgButtonChecked(g_dialog, kChecks[c].id) == BST_CHECKED;
        g_state.enabled[c] = IsWindowEnabled(Item(kChecks[c].id)) != FALSE;
    }
    g_state.cloakDir = TextOf(IDC_OPT_CLOAKDIR);
    g_state.hiddenTitles.clear();
    const int n = static_cast<int>(SendMessageA(Item(IDC_OPT_TITLES), LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        const int length = static_cast<int>(SendMessageA(Item(IDC_OPT_TITLES), LB_GETTEXTLEN, i, 0));
        std::string title(length + 1, '\0');
        SendMessageA(Item(IDC_OPT_TITLES), LB_GETTEXT, i, reinterpret_cast<LPARAM>(&title[0]));
        title.resize(length);
        g_state.hiddenTitles.push_back(title);
    }
    g_state.menuShowDelay = NumberOf(IDC_OPT_DELAY);
}

void OnForceDesktopDllClicked() {
    const bool forced = IsDlgButtonChecked(g_dialog, IDC_OPT_CHECK12) == BST_CHECKED;
    if (!forced && IsDlgButtonChecked(g_dialog, IDC_OPT_CHECK13) == BST_CHECKED) {
        MessageBoxA(nullptr, "You can't hide minimized windows without the Desktop DLL", "Setwise Warning!", MB_OK);
        CheckDlgButton(g_dialog, IDC_OPT_CHECK13, BST_UNCHECKED);
        EnableWindow(Item(IDC_OPT_CHECK13), FALSE);
    }
    if (forced) EnableWindow(Item(IDC_OPT_CHECK13), TRUE);
}

// The chooser edits cloaks, which only the cloaked menus show.
void OnUseCustomMenusClicked() {
    EnableWindow(Item(IDC_OPT_CHOOSER), IsDlgButtonChecked(g_dialog, IDC_OPT_CHECK15) == BST_CHECKED);
}

void ShowChooser() {
    RECT rc = {};
    GetWindowRect(g_dialog, &rc);
    ShowMenuSchemeForm(g_dialog, rc.left + kOffset, rc.top + kOffset);
}

INT_PTR AddTitleProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        const auto* at = reinterpret_cast<const POINT*>(lParam);
        SetWindowPos(dialog, nullptr, at->x, at->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        SetDlgItemTextA(dialog, IDC_ADDTITLE_EDIT, "");
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            const std::string title = holm::WindowText(GetDlgItem(dialog, IDC_ADDTITLE_EDIT));
            if (!title.empty())
                SendMessageA(Item(IDC_OPT_TITLES), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title.c_str()));
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

void AddTitle() {
    RECT rc = {};
    GetWindowRect(g_dialog, &rc);
    POINT at = {rc.left + kOffset, rc.top + kOffset};
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ADDTITLE), g_dialog, holm::GuardedProc<INT_PTR, AddTitleProc>,
                    reinterpret_cast<LPARAM>(&at));
}

void RemoveSelectedTitles() {
    HWND list = Item(IDC_OPT_TITLES);
    for (int i = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)) - 1; i >= 0; --i)
        if (SendMessageA(list, LB_GETSEL, i, 0) > 0) SendMessageA(list, LB_DELETESTRING, i, 0);
}

// Typing into the delay field moves the bar; the spin buttons do not.
LRESULT DelayEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcA(g_delayEditProc, edit, message, wParam, lParam);
    if (message == WM_KEYUP) SendMessageA(Item(IDC_OPT_DELAYBAR), TBM_SETPOS, TRUE, NumberOf(IDC_OPT_DELAY));
    return result;
}

// False, after saying so, when the registry did not take the options.
bool SaveShownState() {
    KeepShownState();
    if (OptionsSaveForm()) return true;
    ShowFormMessage(g_dialog, "The options could not be written to the registry. They were not saved.", kCaptionError,
                    MB_OK | MB_ICONERROR);
    return false;
}

INT_PTR OptionsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        g_dialog = dialog;
        PlaceForm(dialog, g_position.x, g_position.y, kClientWidth, kClientHeight);
        CreateFormControls();
        ShowState();
        g_delayEditProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            Item(IDC_OPT_DELAY), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(holm::GuardedProc<LRESULT, DelayEditProc>)));
        SetFocus(Item(IDOK));
        return FALSE;
    case WM_HSCROLL:
        if (reinterpret_cast<HWND>(lParam) == Item(IDC_OPT_DELAYBAR))
            SendMessageA(Item(IDC_OPT_DELAYSPIN), UDM_SETPOS32, 0,
                         SendMessageA(Item(IDC_OPT_DELAYBAR), TBM_GETPOS, 0, 0));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            if (SaveShownState()) EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL: KeepShownState(); EndDialog(dialog, IDCANCEL); return TRUE;
        case IDC_OPT_APPLY: SaveShownState(); return TRUE;
        case IDC_OPT_ADDTITLE: AddTitle(); return TRUE;
        case IDC_OPT_REMOVETITLES: RemoveSelectedTitles(); return TRUE;
        case IDC_OPT_REGISTERTYPE: RegisterCloakFileType(dialog); return TRUE;
        case IDC_OPT_CHOOSER: ShowChooser(); return TRUE;
        case IDC_OPT_CHECK15:
            if (HIWORD(wParam) == BN_CLICKED) OnUseCustomMenusClicked();
            return TRUE;
        case IDC_OPT_CHECK12:
            if (HIWORD(wParam) == BN_CLICKED) OnForceDesktopDllClicked();
            return TRUE;
        }
        break;
    case WM_DESTROY:
        g_dialog = nullptr;
        break;
    }
    return FALSE;
}

}  // namespace

OptionsFormState::OptionsFormState() {
    for (int c = 0; c < kOptionCheckCount; ++c) {
        checked[c] = kChecks[c].initiallyChecked;
        enabled[c] = true;
    }
}

OptionsFormState& OptionsForm() { return g_state; }
const char* OptionValueName(OptionCheck check) { return kChecks[check].valueName; }

void OptionsFillForm(const std::string& keyPath) {
    g_state.hiddenTitles.clear();
    FillMenuShowDelay();
    if (holm::UniqueKey key = holm::OpenUserKey(keyPath.c_str(), KEY_QUERY_VALUE)) {
        ReadString(key.Get(), values::kInitMenuTitle, g_state.initMenuTitle);
        ReadString(key.Get(), values::kWindowListTitle, g_state.windowListTitle);
        DWORD length = 0;
        if (ReadDword(key.Get(), values::kMaxWinTitleLen, length) && length <= kLongestTitle) g_state.maxTitleLength = static_cast<int>(length);
        for (int c = 0; c < kOptionCheckCount; ++c) FillCheck(key.Get(), static_cast<OptionCheck>(c));
        ReadString(key.Get(), values::kCloakDir, g_state.cloakDir);
    }
    ApplyPlatformRule();
    FillHiddenTitles(keyPath);
}

bool OptionsSaveForm() {
    if (holm::UniqueKey desktop = holm::OpenUserKey(kDesktopKey, KEY_SET_VALUE))
        if (!WriteString(desktop.Get(), "MenuShowDelay", std::to_string(g_state.menuShowDelay))) return false;
    holm::UniqueKey key = holm::CreateUserKey(kProductKey);
    if (!key) return false;
    if (!WriteString(key.Get(), values::kInitMenuTitle, g_state.initMenuTitle) ||
        !WriteString(key.Get(), values::kWindowListTitle, g_state.windowListTitle) ||
        !WriteDword(key.Get(), values::kMaxWinTitleLen, static_cast<DWORD>(g_state.maxTitleLength)))
        return false;
    for (int c = 0; c < kOptionCheckCount; ++c)
        if (!WriteDword(key.Get(), kChecks[c].valueName, g_state.checked[c] ? 1 : 0)) return false;
    if (!g_state.cloakDir.empty() && !WriteString(key.Get(), values::kCloakDir, g_state.cloakDir)) return false;
    return SaveHiddenTitles();
}

void SetOptionDefaults(bool isNT) {
    if (isNT) {
        g_state.checked[kRunStartupGroupByDefault] = false;
        if (!g_state.checked[kForceDesktopDLL]) {
            g_state.checked[kHideMinimized] = false;
            g_state.enabled[kHideMinimized] = false;
        }
    }
    g_state.enabled[kMiddleButtonAsDblClick] = isNT;
    g_state.initMenuTitle = "%d, %t";
    g_state.windowListTitle = "%u on \\\\%c";
    g_state.checked[kUseCustomMenus] = true;
    g_state.checked[kReverseRightAndLeftButtons] = false;
    RegisterCloakFileType(nullptr);
}

void ShowOptionsForm(HWND owner, int x, int y, bool fromMenu) {
    g_position = POINT{x, y};
    OptionsFillForm(std::string(kProductKey) + "\\");
    // Windows 95 passes no middle button through the hook's way of working.
    if (fromMenu && !IsNT()) g_state.enabled[kMiddleButtonAsDblClick] = false;
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_OPTIONS), owner, holm::GuardedProc<INT_PTR, OptionsProc>, 0);
}

POINT OptionsFormPosition(HWND mainForm) {
    if (g_position.x != -1 || g_position.y != -1) return g_position;
    RECT rc = {};
    GetWindowRect(mainForm, &rc);
    return POINT{rc.left + kOffset, rc.top + kOffset};
}

bool RegisterCloakFileType(HWND owner) {
    const std::string shell = ShellProgramPath();
    struct Entry {
        const char* key;
        const char* name;
        std::string data;
    };
    const Entry entries[] = {
        {".hc", nullptr, "hcfile"},
        {"hcfile", nullptr, "HOLM Cloak"},
        {"hcfile\\DefaultIcon", nullptr, shell + ",2"},
        {"hcfile\\Shell", nullptr, "Install"},
        {"hcfile\\Shell\\Install\\command", nullptr, "\"" + shell + "\" /installcloak \"%1\""},
        {"hcfile\\Shell\\Edit\\command", nullptr, "notepad \"%1\""},
    };
    for (const Entry& e : entries) {
        holm::UniqueKey key = holm::CreateKey(HKEY_CLASSES_ROOT, e.key);
        if (!key || !WriteString(key.Get(), e.name, e.data) ||
            (lstrcmpA(e.key, "hcfile") == 0 && !WriteDword(key.Get(), "EditFlags", 0))) {
            if (owner)
                ShowFormMessage(owner, "The \"HOLM Cloak\" file type could not be registered.", kCaptionError,
                                MB_OK | MB_ICONERROR);
            return false;
        }
    }
    if (owner)
        MessageBoxA(owner, "\"HOLM Cloak\" file type successfully registered.", kOptionsCaption, MB_OK | MB_ICONINFORMATION);
    return true;
}

}  // namespace setwise
