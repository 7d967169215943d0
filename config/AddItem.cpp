#include "AddItem.h"

#include <commctrl.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "RegUnit.h"
#include "file_dialog.h"
#include "form_layout.h"
#include "group_keys.h"
#include "item_row.h"
#include "messages.h"
#include "resource.h"
#include "shortcut_reader.h"
#include "view_rows.h"
#include "window_util.h"
#include "no_throw.h"

namespace setwise {

namespace {

const char* const kRunEntries[] = {kRunNormal, kRunMinimized, kRunMaximized};
const char* const kSpecialKinds[] = {kTypeMonitor, kTypeMyComputer, kTypeDesktop,
                                     kTypeDialUp,  kTypeNetwork,    kTypeDrive};
const char* const kObjectTexts[] = {"", "This item points to My Computer.", "This item points to your desktop.",
                                    "Opens up Dial-up Networking.", "Shows the Network Neighborhood."};
constexpr char kSuggestedMonitorPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\Desktop";

const int kShortcutPage[] = {IDC_LTARGET,        IDC_EDITTARGET,  IDC_SEPARATEMEM, IDC_LSTARTIN,
                             IDC_EDITSTARTIN,    IDC_LKEY,        IDC_SHORTCUTKEY, IDC_LRUN,
                             IDC_WINDOWTYPE,     IDC_IMPORTSHORTCUT, IDC_FINDTARGET, IDC_SYSTRAY};
const int kRegistryPage[] = {IDC_LREGPATH, IDC_REGPATH, IDC_REGHELP};
const int kObjectPage[] = {IDC_OBJECTTEXT, IDC_LKEY1, IDC_HOTKEY1};
const int kDrivePage[] = {IDC_LDRIVE, IDC_DRIVELIST, IDC_LKEY2, IDC_HOTKEY2};

enum class SubPage { Registry, Object, Drive };

// The editor's own state; the special page's fields outlive one opening.
struct EditorState {
    HWND dialog = nullptr;
    EditSession* session = nullptr;
    EditorStart start = EditorStart::Clear;
    int x = 0, y = 0;
    bool nameEntered = false;
    std::string registryPath;
    int drive = -1;
    unsigned hotkey1 = 0, hotkey2 = 0;
};

EditorState g_editor;

HWND Item(int id) { return GetDlgItem(g_editor.dialog, id); }

std::string TextOf(int id) { return holm::WindowText(Item(id)); }

void SetText(int id, const std::string& text) { SetWindowTextA(Item(id), text.c_str()); }

template <size_t N>
void ShowAll(const int (&ids)[N], bool show) {
    for (int id : ids) ShowWindow(Item(id), show ? SW_SHOW : SW_HIDE);
}

bool SpecialChosen() { return IsDlgButtonChecked(g_editor.dialog, IDC_RADIOSPECIAL) == BST_CHECKED; }
int ComboIndex(int id) { return static_cast<int>(SendMessageA(Item(id), CB_GETCURSEL, 0, 0)); }
void SetComboIndex(int id, int index) { SendMessageA(Item(id), CB_SETCURSEL, index, 0); }
std::string ComboText(int id) {
    const int i = ComboIndex(id);
    if (i < 0) return "";
    char text[64] = "";
    SendMessageA(Item(id), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    return text;
}
int ComboFind(int id, const std::string& text) {
    return static_cast<int>(SendMessageA(Item(id), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(text.c_str())));
}

std::string HotkeyText(int id) {
    const unsigned value = NormalizedHotkey(static_cast<unsigned>(SendMessageA(Item(id), HKM_GETHOTKEY, 0, 0)));
    return ShortcutText(value & 0xFF, (value >> 8) & HOTKEYF_SHIFT);
}

void SetHotkeyFromText(int id, const std::string& text) {
    bool shift = false;
    const unsigned vk = ShortcutKey(text, &shift);
    const unsigned mods = vk ? (HOTKEYF_CONTROL | HOTKEYF_ALT | (shift ? HOTKEYF_SHIFT : 0)) : 0;
    SendMessageA(Item(id), HKM_SETHOTKEY, MAKEWORD(vk, mods), 0);
}

void ShowSubPage(SubPage page) {
    const bool special = SpecialChosen();
    ShowAll(kRegistryPage, special && page == SubPage::Registry);
    ShowAll(kObjectPage, special && page == SubPage::Object);
    ShowAll(kDrivePage, special && page == SubPage::Drive);
}

SubPage PageOfKind(int kind) {
    if (kind == 0) return SubPage::Registry;
    if (kind == 5) return SubPage::Drive;
    return SubPage::Object;
}

void ShowPages() {
    const bool special = SpecialChosen();
    ShowAll(kShortcutPage, !special);
    ShowWindow(Item(IDC_LSPECIAL), special ? SW_SHOW : SW_HIDE);
    ShowWindow(Item(IDC_SPECIALLIST), special ? SW_SHOW : SW_HIDE);
    const int kind = ComboIndex(IDC_SPECIALLIST);
    ShowSubPage(PageOfKind(kind < 0 ? 0 : kind));
}

void ChooseType(bool special) {
    CheckRadioButton(g_editor.dialog, IDC_RADIOLINK, IDC_RADIOSPECIAL, special ? IDC_RADIOSPECIAL : IDC_RADIOLINK);
    ShowPages();
}

void SuggestName(const std::string& name) {
    if (g_editor.nameEntered) return;
    SetText(IDC_EDITNAME, name);
    g_editor.nameEntered = true;
}

void OnSpecialKind() {
    const int kind = ComboIndex(IDC_SPECIALLIST);
    if (kind < 0) return;
    ShowSubPage(PageOfKind(kind));
    if (kind >= 1 && kind <= 4) SetText(IDC_OBJECTTEXT, kObjectTexts[kind]);
    if (!g_editor.session->addingItem) return;
    if (kind == 0) {
        SetText(IDC_REGPATH, kSuggestedMonitorPath);
    } else if (kind == 5) {
        if (!g_editor.nameEntered) {
            SetComboIndex(IDC_DRIVELIST, 2);
            SuggestName("C Drive");
        }
    } else {
        SuggestName(kSpecialKinds[kind]);
    }
}

void OnDriveChosen() {
    if (!g_editor.nameEntered) SuggestName(ComboText(IDC_DRIVELIST) + " Drive");
}

void ClearItemEditor() {
    ChooseType(false);
    g_editor.nameEntered = false;
    SetText(IDC_EDITNAME, "");
    SetText(IDC_EDITTARGET, "");
    SetText(IDC_EDITSTARTIN, "");
    SendMessageA(Item(IDC_SHORTCUTKEY), HKM_SETHOTKEY, 0, 0);
    SetComboIndex(IDC_WINDOWTYPE, 0);
}

void FillItemEditor() {
    const ItemRow row = ReadRow(ListView(), g_editor.session->editIndex);
    SetText(IDC_EDITNAME, row.name);
    g_editor.nameEntered = true;
    if (row.type != kTypeShortcut) {
        CheckRadioButton(g_editor.dialog, IDC_RADIOLINK, IDC_RADIOSPECIAL, IDC_RADIOSPECIAL);
        const int kind = ComboFind(IDC_SPECIALLIST, row.type);
        SetComboIndex(IDC_SPECIALLIST, kind);
        SetComboIndex(IDC_WINDOWTYPE, 0);
        ShowPages();
        if (kind >= 1 && kind <= 4) {
            SetText(IDC_OBJECTTEXT, kObjectTexts[kind]);
            SetHotkeyFromText(IDC_HOTKEY1, row.shortcut);
        } else if (kind == 5) {
            SetComboIndex(IDC_DRIVELIST, ComboFind(IDC_DRIVELIST, row.target));
            SetHotkeyFromText(IDC_HOTKEY2, row.shortcut);
        }
        SetText(IDC_REGPATH, row.target);
        SetText(IDC_EDITTARGET, "");
        SetText(IDC_EDITSTARTIN, "");
        SendMessageA(Item(IDC_SHORTCUTKEY), HKM_SETHOTKEY, 0, 0);
        return;
    }
    ChooseType(false);
    SetText(IDC_EDITTARGET, row.target);
    SetText(IDC_EDITSTARTIN, row.startIn);
    SetHotkeyFromText(IDC_SHORTCUTKEY, row.shortcut);
    SetComboIndex(IDC_WINDOWTYPE, ComboFind(IDC_WINDOWTYPE, row.runStyle));
}

bool NameIsFree() {
    const std::string name = TextOf(IDC_EDITNAME);
    HWND list = ListView();
    for (int i = 0, n = RowCount(list); i < n; ++i) {
        if (!g_editor.session->addingItem && i == g_editor.session->editIndex) continue;
        if (SameTextIgnoringCase(ReadRow(list, i).name, name)) {
            ShowMessage("Name Conflict! Please type in a different item name.", kCaptionShortError);
            return false;
        }
    }
    return true;
}

ItemRow RowOfFields() {
    const ItemRow old = ReadRow(ListView(), g_editor.session->editIndex);
    ItemRow row;
    row.name = TextOf(IDC_EDITNAME);
    if (!SpecialChosen()) {
        row.type = kTypeShortcut;
        row.target = TextOf(IDC_EDITTARGET);
        row.startIn = TextOf(IDC_EDITSTARTIN);
        row.shortcut = HotkeyText(IDC_SHORTCUTKEY);
        // A Run Style the list knows but the editor does not offer stays.
        row.runStyle = ComboIndex(IDC_WINDOWTYPE) >= 0 ? ComboText(IDC_WINDOWTYPE) : old.runStyle;
        row.image = 0;
    } else {
        const int kind = ComboIndex(IDC_SPECIALLIST);
        row.type = kind >= 0 ? kSpecialKinds[kind] : "";
        if (kind == 0) row.target = TextOf(IDC_REGPATH);
        if (kind >= 1 && kind <= 4) row.shortcut = HotkeyText(IDC_HOTKEY1);
        if (kind == 5) {
            row.target = ComboText(IDC_DRIVELIST);
            row.shortcut = HotkeyText(IDC_HOTKEY2);
        }
        row.image = 1;
    }
    return row;
}

// An item the menu could not read back as written is refused; the editor stays open.
bool RowIsStorable() {
    const std::string problem = StoreProblemOf(RowOfFields());
    if (problem.empty()) return true;
    ShowMessage(problem.c_str(), kCaptionShortError);
    return false;
}

void FillRow() { WriteRow(ListView(), g_editor.session->editIndex, RowOfFields(), g_editor.session->newItem); }

void RememberSpecialFields() {
    g_editor.registryPath = TextOf(IDC_REGPATH);
    g_editor.drive = ComboIndex(IDC_DRIVELIST);
    g_editor.hotkey1 = static_cast<unsigned>(SendMessageA(Item(IDC_HOTKEY1), HKM_GETHOTKEY, 0, 0));
    g_editor.hotkey2 = static_cast<unsigned>(SendMessageA(Item(IDC_HOTKEY2), HKM_GETHOTKEY, 0, 0));
}

void Close(int result) {
    RememberSpecialFields();
    EndDialog(g_editor.dialog, result);
}

void OnOK() {
    if (g_editor.session->addingItem) SetComboIndex(IDC_WINDOWTYPE, 0);
    const bool runRequired = !SpecialChosen();
    if (!NameIsFree()) return;
    g_editor.nameEntered = false;
    if (runRequired && ComboIndex(IDC_WINDOWTYPE) < 0) return;
    // A special item of no kind could not be stored: the row would be lost.
    if (!runRequired && ComboIndex(IDC_SPECIALLIST) < 0) return;
    if (!SpecialChosen() && TextOf(IDC_EDITNAME).empty()) {
        ShowMessage("Please Specify an Item Name", kCaption);
        return;
    }
    if (!RowIsStorable()) return;
    FillRow();
    Close(IDOK);
    SaveGroupItems();
}

void OnApply() {
    if (!NameIsFree()) return;
    g_editor.nameEntered = false;
    if (SpecialChosen() && ComboIndex(IDC_SPECIALLIST) < 0) return;
    if (!SpecialChosen() && TextOf(IDC_EDITNAME).empty()) {
        ShowMessage("Please Specify an Item Name", kCaption);
        return;
    }
    if (!RowIsStorable()) return;
    FillRow();
    g_editor.session->addingItem = false;
    // The row now exists in the registry as well: a later Cancel keeps it.
    g_editor.session->newItem = false;
    SaveGroupItems();
}

void OnCancel() {
    if (g_editor.session->newItem) DeleteRow(ListView(), g_editor.session->editIndex);
    Close(IDCANCEL);
}

std::string CutExtension(std::string name, const std::string& file) {
    const std::string ext = ExtensionOf(file);
    const size_t at = ext.empty() ? std::string::npos : name.find("." + ext);
    if (at != std::string::npos) name.erase(at, 5);
    return name;
}

void ImportFrom(const std::string& f) {
    std::string lower = f;
    if (!lower.empty()) CharLowerBuffA(&lower[0], static_cast<DWORD>(lower.size()));
    if (lower.find(".lnk") == std::string::npos) {
        SetText(IDC_EDITTARGET, QuotedWhenBlank(f));
        if (!g_editor.nameEntered) {
            SetText(IDC_EDITNAME, CutExtension(FileNameOf(f), f));
            g_editor.nameEntered = true;
        }
        SetText(IDC_EDITSTARTIN, FolderOf(f));
    } else if (const std::optional<Shortcut> link = ReadShortcut(f)) {
        SetText(IDC_EDITTARGET, TargetWithArguments(*link));
        SetText(IDC_EDITSTARTIN, link->workingDirectory);
        if (!g_editor.nameEntered) {
            SetText(IDC_EDITNAME, link->description);
            g_editor.nameEntered = true;
        }
        SendMessageA(Item(IDC_SHORTCUTKEY), HKM_SETHOTKEY, NormalizedHotkey(link->hotkey), 0);
        const int show = link->showCommand;
        if (show == 1 || show == 3 || show == 7)
            SetComboIndex(IDC_WINDOWTYPE, ComboFind(IDC_WINDOWTYPE, RunStyleOfShowCommand(show)));
        if (TextOf(IDC_EDITSTARTIN).empty()) SetText(IDC_EDITSTARTIN, FolderOf(f));
    } else {
        ShowMessage(("Cannot read the shortcut " + f).c_str(), kCaptionError, MB_OK | MB_ICONWARNING);
        return;
    }
    if (TextOf(IDC_EDITNAME).empty()) {
        SetText(IDC_EDITNAME, FileNameOf(f));
        g_editor.nameEntered = true;
    }
}

void OnImportShortcut() {
    FileDialog dialog;
    dialog.owner = g_editor.dialog;
    dialog.filter =
        "Shortcut Link file\0*.lnk\0Program Information file\0*.pif\0Executable\0*.exe; *.com; *.bat\0All Files\0*.*\0";
    dialog.filterIndex = 4;
    dialog.title = "Select Shortcut or Executable";
    dialog.defaultExtension = "lnk";
    dialog.flags = OFN_HIDEREADONLY | OFN_NODEREFERENCELINKS;
    const std::string file = AskOpenFile(dialog);
    if (!file.empty()) ImportFrom(file);
}

void OnFindTarget() { WinExec(("explorer " + TextOf(IDC_EDITSTARTIN)).c_str(), SW_SHOW); }

void InitControls() {
    for (const char* e : kRunEntries) SendMessageA(Item(IDC_WINDOWTYPE), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e));
    for (const char* k : kSpecialKinds)
        SendMessageA(Item(IDC_SPECIALLIST), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(k));
    for (char d = 'a'; d <= 'z'; ++d) {
        const char drive[4] = {d, ':', '\\', '\0'};
        SendMessageA(Item(IDC_DRIVELIST), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drive));
    }
    const WPARAM invalid = HKCOMB_NONE | HKCOMB_S | HKCOMB_C | HKCOMB_A | HKCOMB_SC | HKCOMB_SA;
    for (int id : {IDC_SHORTCUTKEY, IDC_HOTKEY1, IDC_HOTKEY2})
        SendMessageA(Item(id), HKM_SETRULES, invalid, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
    CheckDlgButton(g_editor.dialog, IDC_SEPARATEMEM, BST_CHECKED);
    SetText(IDC_REGPATH, g_editor.registryPath);
    SetComboIndex(IDC_DRIVELIST, g_editor.drive);
    SendMessageA(Item(IDC_HOTKEY1), HKM_SETHOTKEY, g_editor.hotkey1, 0);
    SendMessageA(Item(IDC_HOTKEY2), HKM_SETHOTKEY, g_editor.hotkey2, 0);
}

// At the requested place, moved up and left as far as needed to keep the
// whole dialog (and its buttons) inside the work area.
void PlaceOnScreen() {
    RECT rc = {};
    GetWindowRect(g_editor.dialog, &rc);
    const holm::Point at = holm::PlaceInsideArea({g_editor.x, g_editor.y}, {rc.right - rc.left, rc.bottom - rc.top}, WorkArea());
    SetWindowPos(g_editor.dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void OnInit() {
    InitControls();
    PlaceOnScreen();
    if (g_editor.start == EditorStart::Fill) {
        FillItemEditor();
        return;
    }
    ClearItemEditor();
    if (g_editor.start == EditorStart::ClearOnMonitorPage) {
        SetComboIndex(IDC_SPECIALLIST, 0);
        ShowPages();
    }
}

void OnCommand(WPARAM wParam) {
    const int id = LOWORD(wParam), code = HIWORD(wParam);
    switch (id) {
    case IDOK: OnOK(); break;
    case IDCANCEL: OnCancel(); break;
    case IDC_APPLY: OnApply(); break;
    case IDC_RADIOSPECIAL:
        if (code == BN_CLICKED) ChooseType(true);
        break;
    case IDC_RADIOLINK:
        if (code == BN_CLICKED) {
            ChooseType(false);
            if (!g_editor.nameEntered) {
                SetText(IDC_EDITNAME, "");
                g_editor.nameEntered = true;
            }
        }
        break;
    case IDC_SPECIALLIST:
        if (code == CBN_SELCHANGE) OnSpecialKind();
        break;
    case IDC_DRIVELIST:
        if (code == CBN_SELCHANGE) OnDriveChosen();
        break;
    case IDC_EDITNAME:
        if (code == EN_CHANGE && GetFocus() == Item(IDC_EDITNAME)) g_editor.nameEntered = !TextOf(IDC_EDITNAME).empty();
        break;
    case IDC_IMPORTSHORTCUT: OnImportShortcut(); break;
    case IDC_FINDTARGET: OnFindTarget(); break;
    }
}

INT_PTR EditorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        g_editor.dialog = dialog;
        OnInit();
        return TRUE;
    case WM_COMMAND:
        OnCommand(wParam);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

unsigned NormalizedHotkey(unsigned controlValue) {
    const unsigned vk = controlValue & 0xFF;
    if (vk == 0) return 0;
    const unsigned all = HOTKEYF_SHIFT | HOTKEYF_CONTROL | HOTKEYF_ALT;
    const unsigned mods = ((controlValue >> 8) & all) == all ? all : (HOTKEYF_CONTROL | HOTKEYF_ALT);
    return MAKEWORD(vk, mods);
}

void ShowItemEditor(HWND owner, int x, int y, EditSession& session, EditorStart start) {
    g_editor.session = &session;
    g_editor.start = start;
    g_editor.x = x;
    g_editor.y = y;
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ADDITEM), owner, holm::GuardedProc<INT_PTR, EditorProc>, 0);
    g_editor.dialog = nullptr;
}

}  // namespace setwise
