#include "MainUnit.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <windowsx.h>

#include <string>
#include <vector>

#include "AboutUnit.h"
#include "AddItem.h"
#include "HotKeyDlg.h"
#include "OptionsUnit.h"
#include "RegUnit.h"
#include "config_file.h"
#include "file_dialog.h"
#include "group_keys.h"
#include "item_row.h"
#include "main_drop.h"
#include "main_toolbar.h"
#include "messages.h"
#include "resource.h"
#include "shortcut_reader.h"
#include "start_menu_import.h"
#include "view_rows.h"
#include "view_settings.h"
#include "win_handles.h"
#include "no_throw.h"
#include "window_util.h"

namespace setwise {

namespace {

constexpr char kClass[] = "TMainForm";
constexpr const char* kTitle = holm::kConfigTitle;
constexpr char kCredit[] = "Setwise for HOLM: the Init Menu, its groups and items";
constexpr char kNewGroupName[] = "Blank Folder";
constexpr int kSplitterWidth = 3;
constexpr int kEditorOffset = 25;

const char* const kColumnTitles[kColumnCount] = {"Name", "Type", "Target", "Start In", "Shortcut", "Run Style"};

// The main window's state.
struct MainState {
    HWND form = nullptr;
    HWND tree = nullptr;
    HWND list = nullptr;
    HWND status = nullptr;
    HWND importPanel = nullptr;
    HWND importLabel = nullptr;
    HACCEL keys = nullptr;
    UniqueImageList treeImages;
    UniqueImageList listImages;
    ViewSettings view;
    EditSession edit;
    bool listSideActive = false;
    bool exitWithoutUpdate = false;
    bool splitting = false;
    bool loading = false;
    WNDPROC treeProc = nullptr;
    bool closeRequested = false;
    std::string fileName;  // the configuration file Save writes to
    std::vector<std::string> refusedImports;  // shortcuts the last import left out, with the reason
    // Label editing starts only when asked for: by the program, or by a
    // click on the group that was already selected (the tree then opens the
    // editor after a delay, by which time the user may have moved on).
    bool labelEditRequested = false;
    HTREEITEM clickedSelectedNode = nullptr;
};

MainState g_main;

int StatusHeight() {
    if (!IsWindowVisible(g_main.status)) return 0;
    RECT rc = {};
    GetWindowRect(g_main.status, &rc);
    return rc.bottom - rc.top;
}

void Layout() {
    RECT rc = {};
    GetClientRect(g_main.form, &rc);
    SendMessageA(MainToolbar(), TB_AUTOSIZE, 0, 0);
    SendMessageA(g_main.status, WM_SIZE, 0, 0);
    const int top = ToolbarHeight();
    const int height = rc.bottom - top - StatusHeight();
    const int treeWidth = TreeWidthIn(g_main.view.treeWidth, rc.right);
    MoveWindow(g_main.tree, 0, top, treeWidth, height, TRUE);
    MoveWindow(g_main.list, treeWidth + kSplitterWidth, top, rc.right - treeWidth - kSplitterWidth, height, TRUE);
    RECT panel = {};
    GetWindowRect(g_main.importPanel, &panel);
    const int pw = panel.right - panel.left, ph = panel.bottom - panel.top;
    MoveWindow(g_main.importPanel, (rc.right - pw) / 2, (rc.bottom - ph) / 2, pw, ph, TRUE);
}

void SetStatus(const std::string& text) {
    SendMessageA(g_main.status, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
}

void SendReloadRequest() {
    if (HWND shell = FindWindowA(nullptr, holm::kShellTitle)) PostMessageA(shell, WM_COMMAND, holm::kCmdReload, 0);
}

void CaptureViewSettings() {
    // The normal place, also while the window is minimized or maximized.
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    GetWindowPlacement(g_main.form, &placement);
    RECT rc = placement.rcNormalPosition;
    g_main.view.left = rc.left;
    g_main.view.top = rc.top;
    g_main.view.width = rc.right - rc.left;
    g_main.view.height = rc.bottom - rc.top;
    for (int i = 0; i < kColumnCount; ++i)
        g_main.view.columns[i] = static_cast<int>(SendMessageA(g_main.list, LVM_GETCOLUMNWIDTH, i, 0));
    GetWindowRect(g_main.tree, &rc);
    g_main.view.treeWidth = rc.right - rc.left;
}

void AutosizeColumns() {
    for (int i = 0; i < kColumnCount; ++i) {
        SendMessageA(g_main.list, LVM_SETCOLUMNWIDTH, i, LVSCW_AUTOSIZE);
        const int contents = static_cast<int>(SendMessageA(g_main.list, LVM_GETCOLUMNWIDTH, i, 0));
        SendMessageA(g_main.list, LVM_SETCOLUMNWIDTH, i, LVSCW_AUTOSIZE_USEHEADER);
        const int title = static_cast<int>(SendMessageA(g_main.list, LVM_GETCOLUMNWIDTH, i, 0));
        if (title < contents) SendMessageA(g_main.list, LVM_SETCOLUMNWIDTH, i, contents);
    }
}

void ToggleAutosize() {
    if (g_main.view.autoSize) {
        g_main.view.autoSize = false;
        return;
    }
    AutosizeColumns();
    g_main.view.autoSize = true;
}

// Shows the items of the newly selected group.
void OnGroupSelected(HTREEITEM node) {
    SendMessageA(g_main.list, WM_SETREDRAW, FALSE, 0);
    ShowGroup(node);
    if (g_main.view.autoSize) AutosizeColumns();
    SortTree(g_main.tree);
    SortRowsByName(g_main.list);
    SendMessageA(g_main.list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(g_main.list, nullptr, TRUE);
}

void SelectRoot() {
    TreeView_SelectItem(g_main.tree, RootNode());
}

void PlaceEditor(int& x, int& y) {
    RECT rc = {};
    GetWindowRect(g_main.form, &rc);
    x = rc.left + kEditorOffset;
    y = rc.top + kEditorOffset;
}

void OpenEditor(EditorStart start) {
    int x = 0, y = 0;
    PlaceEditor(x, y);
    ShowItemEditor(g_main.form, x, y, g_main.edit, start);
}

std::string FreeGroupName(HTREEITEM parent) {
    std::string name = kNewGroupName;
    for (int n = 2;; ++n) {
        bool taken = false;
        for (HTREEITEM c : ChildNodes(g_main.tree, parent)) taken = taken || SameTextIgnoringCase(NodeText(g_main.tree, c), name);
        if (!taken) return name;
        name = std::string(kNewGroupName) + " " + std::to_string(n);
    }
}

void EditGroupLabel(HTREEITEM node) {
    SetFocus(g_main.tree);
    g_main.labelEditRequested = true;
    TreeView_EditLabel(g_main.tree, node);
    g_main.labelEditRequested = false;
}

// A delayed click-to-edit is honoured only while the tree is still in use
// and the clicked group is still the one to edit.
bool LabelEditAllowed(HTREEITEM node) {
    if (node == RootNode()) return false;
    if (g_main.labelEditRequested) return true;
    return GetFocus() == g_main.tree && node == g_main.clickedSelectedNode;
}

void NewItem() {
    if (g_main.listSideActive) {
        g_main.edit.editIndex = InsertRow(g_main.list, RowCount(g_main.list), ItemRow());
        g_main.edit.newItem = true;
        g_main.edit.addingItem = true;
        OpenEditor(EditorStart::ClearOnMonitorPage);
        return;
    }
    HTREEITEM group = SelectedGroup();
    if (!group) return;
    HTREEITEM node = AddChildNode(g_main.tree, group, FreeGroupName(group), kImageGroup, kImageGroupSelected);
    TreeView_Expand(g_main.tree, group, TVE_EXPAND);
    TreeView_SelectItem(g_main.tree, node);
    CreateGroupKey(GroupPathOf(node));
    EditGroupLabel(node);
}

void InsertItem() {
    const int i = FirstSelectedItem();
    if (i < 0) return;
    g_main.edit.editIndex = InsertRow(g_main.list, i, ItemRow());
    g_main.edit.newItem = true;
    OpenEditor(EditorStart::Clear);
}

void Properties() {
    g_main.edit.addingItem = false;
    const int i = FirstSelectedItem();
    if (i < 0) return;
    g_main.edit.editIndex = i;
    g_main.edit.newItem = false;
    OpenEditor(EditorStart::Fill);
}

void DeleteItems() {
    const std::vector<int> rows = SelectedRows(g_main.list);
    if (rows.empty()) {
        ShowMessage("No Item Selected to Delete", kCaptionError, MB_OK | MB_ICONWARNING);
        return;
    }
    if (ShowMessage("Are you sure you want to delete this item(s).", kCaptionWarning,
                    MB_YESNO | MB_ICONWARNING) != IDYES)
        return;
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) DeleteRow(g_main.list, *it);
    SaveGroupItems();
}

void DeleteGroup() {
    HTREEITEM group = SelectedGroup();
    if (!group) return;
    if (group == RootNode()) {
        ShowMessage("Can't Delete Init Menu", kCaptionError);
        return;
    }
    if (ShowMessage("Are you sure you want to delete this group.", kCaptionWarning, MB_YESNO | MB_ICONWARNING) !=
        IDYES)
        return;
    HTREEITEM previous = TreeView_GetPrevSibling(g_main.tree, group);
    TreeView_SelectItem(g_main.tree, previous ? previous : TreeView_GetParent(g_main.tree, group));
    const std::string path = GroupPathOf(group);
    TreeView_DeleteItem(g_main.tree, group);
    DeleteKeyTree(path);
}

void Delete() {
    if (g_main.listSideActive)
        DeleteItems();
    else
        DeleteGroup();
}

void ClearStartupMarks(HTREEITEM node) {
    for (HTREEITEM c : ChildNodes(g_main.tree, node)) {
        if (NodeImage(g_main.tree, c) == kImageStartup) SetNodeImages(g_main.tree, c, kImageGroup, kImageGroupSelected);
        ClearStartupMarks(c);
    }
}

void ToggleStartupGroup() {
    HTREEITEM group = SelectedGroup();
    if (!group) return;
    if (NodeImage(g_main.tree, group) == kImageStartup) {
        SetNodeImages(g_main.tree, group, kImageGroup, kImageGroupSelected);
        SetStartupGroupName("");
    } else {
        ClearStartupMarks(RootNode());
        if (group != RootNode()) {
            SetNodeImages(g_main.tree, group, kImageStartup, kImageStartup);
            SetStartupGroupName(NodeText(g_main.tree, group));
        }
    }
    InvalidateRect(g_main.tree, nullptr, TRUE);
}

void ShowImportText(const std::string& text) {
    SetWindowTextA(g_main.importLabel, text.c_str());
    UpdateWindow(g_main.importLabel);
}

// `why` may be empty when `file` already says it.
void ReportSkippedShortcut(const std::string& file, const std::string& why) {
    const std::string line = why.empty() ? file : file + ": " + why;
    SetStatus("Skipped " + line);
    g_main.refusedImports.push_back(line);
}

// One message for the shortcuts an import left out.
void ShowRefusedImports() {
    if (g_main.refusedImports.empty()) return;
    constexpr size_t kListed = 8;
    std::string text = "These shortcuts were not imported:\n";
    for (size_t i = 0; i < g_main.refusedImports.size() && i < kListed; ++i) text += "\n" + g_main.refusedImports[i];
    if (g_main.refusedImports.size() > kListed)
        text += "\n... and " + std::to_string(g_main.refusedImports.size() - kListed) + " more.";
    g_main.refusedImports.clear();
    ShowMessage(text.c_str(), kCaptionWarning, MB_OK | MB_ICONWARNING);
}

void ImportStartMenu() {
    if (g_main.listSideActive) {
        ShowMessage("No Starting Group Selected. Select a Group as the Root of theStart Menu", kCaption);
        return;
    }
    HTREEITEM group = SelectedGroup();
    if (!group) {
        ShowMessage("No Starting Group Selected", kCaptionError, MB_OK | MB_ICONWARNING);
        return;
    }
    ShowWindow(g_main.importPanel, SW_SHOW);
    UpdateWindow(g_main.importPanel);
    ImportFolder(group, StartMenuFolder(false));
    if (IsNT()) ImportFolder(group, StartMenuFolder(true));
    ImportFolder(group, QuickLaunchFolder());
    ShowWindow(g_main.importPanel, SW_HIDE);
    ShowGroup(group);
    ShowRefusedImports();
}

void NewConfiguration() {
    if (ShowMessage("Are You Sure You want to Erase this Configuration?", "Setwise for HOLM v1.0: Warning!",
                    MB_OKCANCEL) != IDOK)
        return;
    DeleteKeyTree(kRootGroup);
    CreateGroupKey(kRootGroup);
    ResetTree();
    SelectRoot();
}

void Refresh() {
    ResetTree();
    LoadMenuTree();
    SelectRoot();
    ShowRefusedImports();
}

constexpr char kFileFilter[] = "Registry File\0*.reg\0All Files\0*.*\0";

std::string ProgramFolder() {
    char path[MAX_PATH] = "";
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, n);
    folder.resize(folder.find_last_of('\\') + 1);
    return folder;
}

// The file dialog's choice, or empty when it was cancelled.
std::string AskFileName(bool save) {
    const std::string folder = ProgramFolder();
    FileDialog dialog;
    dialog.owner = g_main.form;
    dialog.filter = kFileFilter;
    dialog.initialFolder = folder.c_str();
    dialog.defaultExtension = "reg";
    if (save) {
        dialog.title = "Save Configuration As...";
        dialog.flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NODEREFERENCELINKS;
        return AskSaveFile(dialog);
    }
    dialog.title = "Select Registry File to Open";
    dialog.flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    return AskOpenFile(dialog);
}

void ShowFileInCaption(const std::string& file) {
    SetWindowTextA(g_main.form, (std::string(kTitle) + " - " + file).c_str());
}

void Save() {
    CaptureViewSettings();
    WriteViewSettings(g_main.view, true);
    SendReloadRequest();
    if (g_main.fileName.empty()) g_main.fileName = AskFileName(true);
    if (g_main.fileName.empty()) return;  // cancelled: nothing was saved
    std::string error;
    if (!SaveConfiguration(g_main.fileName, error)) {
        ShowMessage(error.c_str(), kCaptionError, MB_OK | MB_ICONERROR);
        return;
    }
    SetStatus("Configuration saved as \"" + g_main.fileName + "\"");
    ShowFileInCaption(g_main.fileName);
}

void SaveAs() {
    g_main.fileName.clear();
    Save();
}

void Open() {
    const std::string file = AskFileName(false);
    if (file.empty()) return;
    std::string message;
    const OpenOutcome outcome = OpenConfiguration(file, message);
    if (outcome == OpenOutcome::Declined) return;
    if (outcome == OpenOutcome::Refused) {
        ShowMessage(message.c_str(), kCaptionError, MB_OK | MB_ICONWARNING);
        return;
    }
    ResetTree();
    LoadMenuTree();
    TreeView_Expand(g_main.tree, RootNode(), TVE_EXPAND);
    SelectRoot();
    ShowGroup(RootNode());
    ShowRefusedImports();
    if (outcome == OpenOutcome::ImportFailed) {
        ShowMessage(message.c_str(), kCaptionError, MB_OK | MB_ICONWARNING);
        return;
    }
    ShowFileInCaption(file);
    SetStatus("Loaded Settings from \"" + file + "\"");
}

void SetListView(DWORD view) {
    const LONG_PTR style = GetWindowLongPtrA(g_main.list, GWL_STYLE);
    SetWindowLongPtrA(g_main.list, GWL_STYLE, (style & ~static_cast<LONG_PTR>(LVS_TYPEMASK)) | view);
}

void ToggleStatusBar() {
    const bool show = !IsWindowVisible(g_main.status);
    ShowWindow(g_main.status, show ? SW_SHOW : SW_HIDE);
    CheckMenuItem(GetMenu(g_main.form), CM_STATUSBAR, show ? MF_CHECKED : MF_UNCHECKED);
    Layout();
}

void OpenListPopup() {
    const bool selected = FirstSelectedItem() >= 0;
    holm::UniqueMenu menu(CreatePopupMenu());
    HMENU views = CreatePopupMenu();
    AppendMenuA(views, MF_STRING, CM_SMALLICONS, "&Small Icons");
    AppendMenuA(views, MF_STRING, CM_LIST, "&List");
    AppendMenuA(views, MF_STRING, CM_DETAILS, "&Details");
    AppendMenuA(menu.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(views), "&List");
    AppendMenuA(menu.Get(), MF_STRING | (g_main.view.autoSize ? MF_CHECKED : 0), CM_AUTOSIZE, "Autosize Columns");
    AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu.Get(), MF_STRING, CM_ADD, "&Add Item");
    if (selected) {
        AppendMenuA(menu.Get(), MF_STRING, CM_INSERTITEM, "&Insert Item");
        AppendMenuA(menu.Get(), MF_STRING, CM_DELETE, "&Delete Item");
        AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu.Get(), MF_STRING, CM_PROPERTIES, "&Properties");
    }
    POINT pt;
    GetCursorPos(&pt);
    TrackPopupMenu(menu.Get(), TPM_RIGHTBUTTON, pt.x, pt.y, 0, g_main.form, nullptr);
}

void OpenTreePopup() {
    HTREEITEM group = SelectedGroup();
    const bool startup = group && NodeImage(g_main.tree, group) == kImageStartup;
    holm::UniqueMenu menu(CreatePopupMenu());
    AppendMenuA(menu.Get(), MF_STRING, CM_ADD, "&New Group");
    AppendMenuA(menu.Get(), MF_STRING, CM_DELETE, "&Delete Group");
    AppendMenuA(menu.Get(), MF_STRING, CM_EDITNAME, "&Edit Name");
    AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu.Get(), MF_STRING | (startup ? MF_CHECKED : 0), CM_STARTUPGROUP, "Startup Group?");
    AppendMenuA(menu.Get(), MF_STRING, CM_IMPORT, "&Import Start Menu Here...");
    POINT pt;
    GetCursorPos(&pt);
    TrackPopupMenu(menu.Get(), TPM_RIGHTBUTTON, pt.x, pt.y, 0, g_main.form, nullptr);
}

void ShowOptions(bool fromMenu) {
    int x = 0, y = 0;
    PlaceEditor(x, y);
    ShowOptionsForm(g_main.form, x, y, fromMenu);
}

// The hotkeys dialog opens 25 pixels right of and below the options window.
void ShowSpecialHotkeys() {
    const POINT at = OptionsFormPosition(g_main.form);
    HotKeyFillForm();
    ShowHotKeyDlg(g_main.form, at.x + kEditorOffset, at.y + kEditorOffset);
}

void OnCommand(int id) {
    switch (id) {
    case CM_HOTKEYS: ShowSpecialHotkeys(); break;
    case CM_OPTIONS: ShowOptions(true); break;
    case CM_NEW: NewConfiguration(); break;
    case CM_SAVE: Save(); break;
    case CM_SAVEAS: SaveAs(); break;
    case CM_OPEN: Open(); break;
    case CM_EXITNOUPDATE:
        g_main.exitWithoutUpdate = true;
        PostMessageA(g_main.form, WM_CLOSE, 0, 0);
        break;
    case CM_QUIT: PostMessageA(g_main.form, WM_CLOSE, 0, 0); break;
    case CM_ADD: NewItem(); break;
    case CM_DELETE: Delete(); break;
    case CM_INSERTITEM: InsertItem(); break;
    case CM_PROPERTIES: Properties(); break;
    case CM_STATUSBAR: ToggleStatusBar(); break;
    case CM_SMALLICONS: SetListView(LVS_SMALLICON); break;
    case CM_LIST: SetListView(LVS_LIST); break;
    case CM_DETAILS: SetListView(LVS_REPORT); break;
    case CM_REFRESH: Refresh(); break;
    case CM_ABOUT: ShowAboutBox(g_main.form); break;
    case CM_AUTOSIZE: ToggleAutosize(); break;
    case CM_EDITNAME:
        if (HTREEITEM group = SelectedGroup()) EditGroupLabel(group);
        break;
    case CM_STARTUPGROUP: ToggleStartupGroup(); break;
    case CM_IMPORT: ImportStartMenu(); break;
    }
}

LRESULT OnTreeNotify(NMHDR* hdr) {
    switch (hdr->code) {
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
        g_main.clickedSelectedNode = nullptr;
        OnGroupSelected(reinterpret_cast<NMTREEVIEWA*>(hdr)->itemNew.hItem);
        return 0;
    case NM_SETFOCUS: g_main.listSideActive = false; return 0;
    case NM_KILLFOCUS: g_main.listSideActive = true; return 0;
    case TVN_BEGINLABELEDITA: return !LabelEditAllowed(reinterpret_cast<NMTVDISPINFOA*>(hdr)->item.hItem);
    case TVN_ENDLABELEDITA: {
        g_main.clickedSelectedNode = nullptr;
        const auto* info = reinterpret_cast<NMTVDISPINFOA*>(hdr);
        if (info->item.pszText) RenameGroup(info->item.hItem, info->item.pszText);
        return FALSE;  // the model has set the label it keeps
    }
    }
    return 0;
}

// The tree's popup opens as the right button goes down; it acts on the
// selected group, and the tree becomes the active side.
LRESULT TreeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN) {
        TVHITTESTINFO hit = {};
        hit.pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        HTREEITEM node = TreeView_HitTest(hwnd, &hit);
        g_main.clickedSelectedNode = (node && node == TreeView_GetSelection(hwnd)) ? node : nullptr;
    }
    if (message == WM_KEYDOWN) g_main.clickedSelectedNode = nullptr;
    if (message == WM_RBUTTONDOWN) {
        SetFocus(hwnd);
        OpenTreePopup();
        return 0;
    }
    // Alt+F4 and the Alt keys of the menu bar: Wine's tree drops them.
    if (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP || message == WM_SYSCHAR)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    return CallWindowProcA(g_main.treeProc, hwnd, message, wParam, lParam);
}

LRESULT OnListNotify(NMHDR* hdr) {
    switch (hdr->code) {
    case NM_RCLICK: OpenListPopup(); return TRUE;
    case NM_DBLCLK:
    case NM_RETURN: Properties(); return 0;
    case LVN_BEGINRDRAG: StartRowDrag(g_main.form, true); return 0;
    case LVN_BEGINDRAG: StartRowDrag(g_main.form, false); return 0;
    }
    return 0;
}

HIMAGELIST ShellIcons(std::initializer_list<int> indexes) {
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 0);
    char shell32[MAX_PATH];
    GetSystemDirectoryA(shell32, MAX_PATH);
    lstrcatA(shell32, "\\shell32.dll");
    for (int index : indexes) {
        HICON small = nullptr;
        ExtractIconExA(shell32, index, nullptr, &small, 1);
        holm::UniqueIcon icon(small ? small : LoadIconA(nullptr, IDI_APPLICATION));
        ImageList_AddIcon(images, icon.Get());
        if (!small) icon.Release();  // a shared system icon is not destroyed
    }
    return images;
}

void CreateViews(HINSTANCE instance) {
    g_main.tree = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, nullptr,
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT |
                                 TVS_EDITLABELS | TVS_SHOWSELALWAYS,
                             0, 0, 0, 0, g_main.form, nullptr, instance, nullptr);
    SendMessageA(g_main.tree, TVM_SETINDENT, 20, 0);
    g_main.treeProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(g_main.tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(holm::GuardedProc<LRESULT, TreeProc>)));
    // Closed folder, open folder, the root, the startup group.
    g_main.treeImages.Reset(ShellIcons({-4, -5, -35, -28}));
    TreeView_SetImageList(g_main.tree, g_main.treeImages.Get(), TVSIL_NORMAL);
    g_main.list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, nullptr,
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER |
                                 LVS_SHAREIMAGELISTS,
                             0, 0, 0, 0, g_main.form, nullptr, instance, nullptr);
    // An application shortcut, a special item.
    g_main.listImages.Reset(ShellIcons({-3, -16}));
    ListView_SetImageList(g_main.list, g_main.listImages.Get(), LVSIL_SMALL);
    for (int i = 0; i < kColumnCount; ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(kColumnTitles[i]);
        column.cx = g_main.view.columns[i];
        SendMessageA(g_main.list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    g_main.status = CreateWindowExA(0, STATUSCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                               g_main.form, nullptr, instance, nullptr);
    SendMessageA(g_main.status, SB_SIMPLE, TRUE, 0);
}

void CreateImportPanel(HINSTANCE instance) {
    g_main.importPanel = CreateWindowExA(WS_EX_DLGMODALFRAME, "STATIC", nullptr, WS_CHILD | SS_NOTIFY, 0, 0, 340, 110,
                                    g_main.form, nullptr, instance, nullptr);
    CreateWindowExA(0, "STATIC", "Importing Start Menu. Please Wait.", WS_CHILD | WS_VISIBLE, 90, 10, 240, 16,
                    g_main.importPanel, nullptr, instance, nullptr);
    HWND picture = CreateWindowExA(0, "STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_BITMAP, 10, 10, 64, 64,
                                   g_main.importPanel, nullptr, instance, nullptr);
    ShowProgramPicture(picture, PictureKind::Import);
    CreateWindowExA(0, "STATIC", "Importing:", WS_CHILD | WS_VISIBLE, 90, 36, 240, 16, g_main.importPanel, nullptr,
                    instance, nullptr);
    g_main.importLabel = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_PATHELLIPSIS, 90, 56, 240, 16,
                                    g_main.importPanel, nullptr, instance, nullptr);
    for (HWND child = GetWindow(g_main.importPanel, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

void ApplyViewSettings() {
    if (!ReadViewSettings(g_main.view)) g_main.view = ViewSettings();
    RECT desktop = {};
    GetWindowRect(GetDesktopWindow(), &desktop);
    PullOntoDesktop(g_main.view, desktop.right, desktop.bottom);
    for (int i = 0; i < kColumnCount; ++i) SendMessageA(g_main.list, LVM_SETCOLUMNWIDTH, i, g_main.view.columns[i]);
    if (g_main.view.autoSize) {
        g_main.view.autoSize = false;
        ToggleAutosize();
    }
    MoveWindow(g_main.form, g_main.view.left, g_main.view.top, g_main.view.width, g_main.view.height, FALSE);
}

// The first run's settings in the option forms, stored when the program closes.
void SetFormDefaults(bool isNT) {
    constexpr unsigned kControlEscape = 0x401B;
    SetOptionDefaults(isNT);
    if (isNT) SetHotKeyShortcut(1, kControlEscape);
}

void OnCreate(HWND form) {
    g_main.form = form;
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExA(&version);
    SetIsNT(version.dwPlatformId == VER_PLATFORM_WIN32_NT);
    CreateMainToolbar(g_main.form, instance);
    CreateViews(instance);
    CreateImportPanel(instance);
    AttachViews(g_main.tree, g_main.list);
    ResetTree();
    DragAcceptFiles(form, TRUE);
    SetStatus(kCredit);
    ApplyViewSettings();
    FirstRunHooks hooks;
    hooks.selectRoot = SelectRoot;
    hooks.setOptionDefaults = SetFormDefaults;
    SetFirstRunHooks(hooks);
    ImportProgress progress;
    progress.showing = ShowImportText;
    progress.skipped = ReportSkippedShortcut;
    SetImportProgress(progress);
}

// The reload request goes out after the values are written, so that the
// shell never reloads a half-written configuration.
void StoreOnClose() {
    if (g_main.exitWithoutUpdate) return;
    CaptureViewSettings();
    if (WriteViewSettings(g_main.view, false)) {
        if (!ProductHasValue(values::kInitMenuTitle)) {
            // The first run's settings, over whatever is stored already.
            OptionsFillForm(std::string(kProductKey) + "\\");
            OptionsSaveForm();
            HotKeyFillForm();
            HotKeySaveForm();
        }
        if (!ProductHasValue(values::kShowNoTitleWindows))
            WriteProductNumberIfKeyExists(values::kShowNoTitleWindows, 0);
        WriteProductNumberIfKeyExists("AutoSize", g_main.view.autoSize ? 1 : 0);
        CreateGroupKeyAt(kRootGroup);
    }
    SendReloadRequest();
}

bool OverSplitter(int x) {
    RECT rc = {};
    GetClientRect(g_main.form, &rc);
    const int treeWidth = TreeWidthIn(g_main.view.treeWidth, rc.right);
    return x >= treeWidth && x < treeWidth + kSplitterWidth + 2;
}

LRESULT MainFormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: OnCreate(hwnd); return 0;
    case WM_SIZE: Layout(); return 0;
    case WM_COMMAND:
        // The tool button and the menu entry share their command.
        if (LOWORD(wParam) == CM_OPTIONS && reinterpret_cast<HWND>(lParam) == MainToolbar())
            ShowOptions(false);
        else
            OnCommand(LOWORD(wParam));
        return 0;
    case WM_NOTIFY: {
        NMHDR* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (!hdr) return 0;  // any program can send one
        if (hdr->hwndFrom == g_main.tree) return OnTreeNotify(hdr);
        if (hdr->hwndFrom == g_main.list) return OnListNotify(hdr);
        return OnToolbarNotify(hdr);
    }
    case WM_DROPFILES:
        for (const std::string& refusal : AddDroppedFiles(reinterpret_cast<HDROP>(wParam), g_main.list))
            ReportSkippedShortcut(refusal, "");
        ShowRefusedImports();
        return 0;
    case WM_RBUTTONUP:
        if (RowDragging()) {
            POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            ClientToScreen(hwnd, &pt);
            EndRowDrag(g_main.tree, hwnd, pt);
        }
        return 0;
    case WM_LBUTTONDOWN:
        if (OverSplitter(static_cast<short>(LOWORD(lParam)))) {
            g_main.splitting = true;
            SetCapture(hwnd);
        }
        return 0;
    case WM_MOUSEMOVE:
        ClearToolbarHighlight();
        if (g_main.splitting) {
            RECT rc = {};
            GetClientRect(hwnd, &rc);
            const int x = static_cast<short>(LOWORD(lParam));
            g_main.view.treeWidth = TreeWidthIn(x, rc.right);
            Layout();
        }
        return 0;
    case WM_LBUTTONUP:
        if (g_main.splitting) {
            g_main.splitting = false;
            ReleaseCapture();
        }
        return 0;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == hwnd && LOWORD(lParam) == HTCLIENT) {
            POINT pt;
            GetCursorPos(&pt);
            ScreenToClient(hwnd, &pt);
            if (OverSplitter(pt.x)) {
                SetCursor(LoadCursorA(nullptr, IDC_SIZEWE));
                return TRUE;
            }
        }
        break;
    case WM_CAPTURECHANGED:
        CancelRowDrag();
        g_main.splitting = false;
        return 0;
    case WM_CLOSE:
        // A close asked for while the tree is loading waits for the load.
        if (g_main.loading) {
            g_main.closeRequested = true;
            return 0;
        }
        StoreOnClose();
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        g_main.treeImages.Reset();
        g_main.listImages.Reset();
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

HWND CreateMainForm(HINSTANCE instance) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = holm::GuardedProc<LRESULT, MainFormProc>;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_HOLMCFG));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    wc.lpszMenuName = MAKEINTRESOURCEA(IDM_MAINMENU);
    if (!RegisterClassA(&wc)) return nullptr;
    g_main.keys = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDA_MAIN));
    return CreateWindowExA(0, kClass, kTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 269, 434, 652, 480, nullptr,
                           nullptr, instance, nullptr);
}

void StartMainForm(HWND form, int show) {
    g_main.loading = true;
    LoadMenuTree();
    g_main.loading = false;
    ShowRefusedImports();
    TreeView_Expand(g_main.tree, RootNode(), TVE_EXPAND);
    if (!TreeView_GetSelection(g_main.tree)) SelectRoot();
    if (g_main.closeRequested) {
        PostMessageA(form, WM_CLOSE, 0, 0);
        return;
    }
    ShowWindow(form, show);
    UpdateWindow(form);
    SetFocus(g_main.tree);  // the tree is the side in use until the list is
}

bool TranslateMainFormKeys(MSG& msg) {
    if (!g_main.form || !g_main.keys) return false;
    // Keys typed into an edit box (a group's label) stay with it.
    char cls[16] = "";
    GetClassNameA(msg.hwnd, cls, sizeof(cls));
    if (lstrcmpiA(cls, "Edit") == 0) return false;
    if (holm::TopLevelWindow(msg.hwnd) != g_main.form) return false;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_DELETE) {
        PostMessageA(g_main.form, WM_COMMAND, CM_DELETE, 0);
        return true;
    }
    return TranslateAcceleratorA(g_main.form, g_main.keys, &msg) != 0;
}

}  // namespace setwise
