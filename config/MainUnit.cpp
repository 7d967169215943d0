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
#include "messages.h"
#include "resource.h"
#include "shortcut_reader.h"
#include "start_menu_import.h"
#include "view_rows.h"
#include "view_settings.h"
#include "win_handles.h"
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

struct ToolButton {
    int command;
    const char* caption;
    const char* hint;
    int image;  // index into the standard small toolbar bitmap
};

const ToolButton kToolButtons[] = {
    {CM_NEW, "New", nullptr, STD_FILENEW},
    {CM_OPEN, "Open", "Open Configuration", STD_FILEOPEN},
    {CM_SAVE, "Save", "Save Configuration", STD_FILESAVE},
    {CM_OPTIONS, "Options", "Configure HOLM", STD_PROPERTIES},
    {CM_IMPORT, "Import", "Import Start Menu", STD_REPLACE},
    {CM_ADD, "New Item", "New Item", STD_PASTE},
    {CM_DELETE, "Delete", "Delete", STD_DELETE},
    {CM_QUIT, "Quit", "Quit", STD_UNDO},
};

// The main window's state.
struct MainState {
    HWND form = nullptr;
    HWND toolbar = nullptr;
    HWND tree = nullptr;
    HWND list = nullptr;
    HWND status = nullptr;
    HWND importPanel = nullptr;
    HWND importLabel = nullptr;
    HACCEL keys = nullptr;
    HIMAGELIST treeImages = nullptr;
    HIMAGELIST listImages = nullptr;
    ViewSettings view;
    EditSession edit;
    bool listSideActive = false;
    bool exitWithoutUpdate = false;
    bool rightDrag = false;
    bool dragging = false;
    bool splitting = false;
    bool loading = false;
    int hotButton = 0;        // the tool button whose caption is coloured
    bool hotInside = false;   // the mouse is inside that button's text area
    WNDPROC toolbarProc = nullptr;
    WNDPROC treeProc = nullptr;
    bool closeRequested = false;
    std::string fileName;  // the configuration file Save writes to
    // Label editing starts only when asked for: by the program, or by a
    // click on the group that was already selected (the tree then opens the
    // editor after a delay, by which time the user may have moved on).
    bool labelEditRequested = false;
    HTREEITEM clickedSelectedNode = nullptr;
};

MainState g;

int ToolbarHeight() {
    RECT rc = {};
    GetWindowRect(g.toolbar, &rc);
    return rc.bottom - rc.top;
}

int StatusHeight() {
    if (!IsWindowVisible(g.status)) return 0;
    RECT rc = {};
    GetWindowRect(g.status, &rc);
    return rc.bottom - rc.top;
}

void Layout() {
    RECT rc = {};
    GetClientRect(g.form, &rc);
    SendMessageA(g.toolbar, TB_AUTOSIZE, 0, 0);
    SendMessageA(g.status, WM_SIZE, 0, 0);
    const int top = ToolbarHeight();
    const int height = rc.bottom - top - StatusHeight();
    const int treeWidth = g.view.treeWidth;
    MoveWindow(g.tree, 0, top, treeWidth, height, TRUE);
    MoveWindow(g.list, treeWidth + kSplitterWidth, top, rc.right - treeWidth - kSplitterWidth, height, TRUE);
    RECT panel = {};
    GetWindowRect(g.importPanel, &panel);
    const int pw = panel.right - panel.left, ph = panel.bottom - panel.top;
    MoveWindow(g.importPanel, (rc.right - pw) / 2, (rc.bottom - ph) / 2, pw, ph, TRUE);
}

void SetStatus(const std::string& text) {
    SendMessageA(g.status, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
}

void SendReloadRequest() {
    if (HWND shell = FindWindowA(nullptr, holm::kShellTitle)) PostMessageA(shell, WM_COMMAND, holm::kCmdReload, 0);
}

void CaptureViewSettings() {
    RECT rc = {};
    GetWindowRect(g.form, &rc);
    g.view.left = rc.left;
    g.view.top = rc.top;
    g.view.width = rc.right - rc.left;
    g.view.height = rc.bottom - rc.top;
    for (int i = 0; i < kColumnCount; ++i)
        g.view.columns[i] = static_cast<int>(SendMessageA(g.list, LVM_GETCOLUMNWIDTH, i, 0));
    GetWindowRect(g.tree, &rc);
    g.view.treeWidth = rc.right - rc.left;
}

void AutosizeColumns() {
    for (int i = 0; i < kColumnCount; ++i) {
        SendMessageA(g.list, LVM_SETCOLUMNWIDTH, i, LVSCW_AUTOSIZE);
        const int contents = static_cast<int>(SendMessageA(g.list, LVM_GETCOLUMNWIDTH, i, 0));
        SendMessageA(g.list, LVM_SETCOLUMNWIDTH, i, LVSCW_AUTOSIZE_USEHEADER);
        const int title = static_cast<int>(SendMessageA(g.list, LVM_GETCOLUMNWIDTH, i, 0));
        if (title < contents) SendMessageA(g.list, LVM_SETCOLUMNWIDTH, i, contents);
    }
}

void ToggleAutosize() {
    if (g.view.autoSize) {
        g.view.autoSize = false;
        return;
    }
    AutosizeColumns();
    g.view.autoSize = true;
}

// Shows the items of the newly selected group.
void OnGroupSelected(HTREEITEM node) {
    SendMessageA(g.list, WM_SETREDRAW, FALSE, 0);
    ShowGroup(node);
    if (g.view.autoSize) AutosizeColumns();
    SortTree(g.tree);
    SortRowsByName(g.list);
    SendMessageA(g.list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(g.list, nullptr, TRUE);
}

void SelectRoot() {
    TreeView_SelectItem(g.tree, RootNode());
}

void PlaceEditor(int& x, int& y) {
    RECT rc = {};
    GetWindowRect(g.form, &rc);
    x = rc.left + kEditorOffset;
    y = rc.top + kEditorOffset;
}

void OpenEditor(EditorStart start) {
    int x = 0, y = 0;
    PlaceEditor(x, y);
    ShowItemEditor(g.form, x, y, g.edit, start);
}

std::string FreeGroupName(HTREEITEM parent) {
    std::string name = kNewGroupName;
    for (int n = 2;; ++n) {
        bool taken = false;
        for (HTREEITEM c : ChildNodes(g.tree, parent)) taken = taken || SameTextIgnoringCase(NodeText(g.tree, c), name);
        if (!taken) return name;
        name = std::string(kNewGroupName) + " " + std::to_string(n);
    }
}

void EditGroupLabel(HTREEITEM node) {
    SetFocus(g.tree);
    g.labelEditRequested = true;
    TreeView_EditLabel(g.tree, node);
    g.labelEditRequested = false;
}

// A delayed click-to-edit is honoured only while the tree is still in use
// and the clicked group is still the one to edit.
bool LabelEditAllowed(HTREEITEM node) {
    if (node == RootNode()) return false;
    if (g.labelEditRequested) return true;
    return GetFocus() == g.tree && node == g.clickedSelectedNode;
}

void NewItem() {
    if (g.listSideActive) {
        g.edit.editIndex = InsertRow(g.list, RowCount(g.list), ItemRow());
        g.edit.newItem = true;
        g.edit.addingItem = true;
        OpenEditor(EditorStart::ClearOnMonitorPage);
        return;
    }
    HTREEITEM group = SelectedGroup();
    if (!group) return;
    HTREEITEM node = AddChildNode(g.tree, group, FreeGroupName(group), kImageGroup, kImageGroupSelected);
    TreeView_Expand(g.tree, group, TVE_EXPAND);
    TreeView_SelectItem(g.tree, node);
    GroupKeyPath(node);
    CreateGroupKey();
    EditGroupLabel(node);
}

void InsertItem() {
    const int i = FirstSelectedItem();
    if (i < 0) return;
    g.edit.editIndex = InsertRow(g.list, i, ItemRow());
    g.edit.newItem = true;
    OpenEditor(EditorStart::Clear);
}

void Properties() {
    g.edit.addingItem = false;
    const int i = FirstSelectedItem();
    if (i < 0) return;
    g.edit.editIndex = i;
    g.edit.newItem = false;
    OpenEditor(EditorStart::Fill);
}

void DeleteItems() {
    const std::vector<int> rows = SelectedRows(g.list);
    if (rows.empty()) {
        ShowMessage("No Item Selected to Delete", kCaptionError, MB_OK | MB_ICONWARNING);
        return;
    }
    if (ShowMessage("Are you sure you want to delete this item(s).", kCaptionWarning,
                    MB_YESNO | MB_ICONWARNING) != IDYES)
        return;
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) DeleteRow(g.list, *it);
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
    HTREEITEM previous = TreeView_GetPrevSibling(g.tree, group);
    TreeView_SelectItem(g.tree, previous ? previous : TreeView_GetParent(g.tree, group));
    GroupKeyPath(group);
    const std::string path = CurrentGroupPath();
    TreeView_DeleteItem(g.tree, group);
    DeleteKeyTree(path);
}

void Delete() {
    if (g.listSideActive)
        DeleteItems();
    else
        DeleteGroup();
}

void ClearStartupMarks(HTREEITEM node) {
    for (HTREEITEM c : ChildNodes(g.tree, node)) {
        if (NodeImage(g.tree, c) == kImageStartup) SetNodeImages(g.tree, c, kImageGroup, kImageGroupSelected);
        ClearStartupMarks(c);
    }
}

void ToggleStartupGroup() {
    HTREEITEM group = SelectedGroup();
    if (!group) return;
    if (NodeImage(g.tree, group) == kImageStartup) {
        SetNodeImages(g.tree, group, kImageGroup, kImageGroupSelected);
        SetStartupGroupName("");
    } else {
        ClearStartupMarks(RootNode());
        if (group != RootNode()) {
            SetNodeImages(g.tree, group, kImageStartup, kImageStartup);
            SetStartupGroupName(NodeText(g.tree, group));
        }
    }
    InvalidateRect(g.tree, nullptr, TRUE);
}

void ShowImportText(const std::string& text) {
    SetWindowTextA(g.importLabel, text.c_str());
    UpdateWindow(g.importLabel);
}

void ReportSkippedShortcut(const std::string& file) {
    SetStatus("Skipped a shortcut that cannot be read: " + file);
}

void ImportStartMenu() {
    if (g.listSideActive) {
        ShowMessage("No Starting Group Selected. Select a Group as the Root of theStart Menu", kCaption);
        return;
    }
    HTREEITEM group = SelectedGroup();
    if (!group) {
        ShowMessage("No Starting Group Selected", kCaptionError, MB_OK | MB_ICONWARNING);
        return;
    }
    ShowWindow(g.importPanel, SW_SHOW);
    UpdateWindow(g.importPanel);
    const int n = IndexOfNode(g.tree, group);
    ImportFolder(n, StartMenuFolder(false));
    if (IsNT()) ImportFolder(n, StartMenuFolder(true));
    ImportFolder(n, QuickLaunchFolder());
    ShowWindow(g.importPanel, SW_HIDE);
    ShowGroup(group);
}

void NewConfiguration() {
    if (ShowMessage("Are You Sure You want to Erase this Configuration?", "Setwise for HOLM v1.0: Warning!",
                    MB_OKCANCEL) != IDOK)
        return;
    DeleteKeyTree(kRootGroup);
    SetCurrentGroupPath(kRootGroup);
    CreateGroupKey();
    ResetTree();
    SelectRoot();
}

void Refresh() {
    ResetTree();
    LoadMenuTree();
    SelectRoot();
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
    dialog.owner = g.form;
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
    SetWindowTextA(g.form, (std::string(kTitle) + " - " + file).c_str());
}

void Save() {
    CaptureViewSettings();
    WriteViewSettings(g.view, true);
    SendReloadRequest();
    if (g.fileName.empty()) g.fileName = AskFileName(true);
    if (g.fileName.empty()) return;  // cancelled: nothing was saved
    std::string error;
    if (!SaveConfiguration(g.fileName, error)) {
        ShowMessage(error.c_str(), kCaptionError, MB_OK | MB_ICONERROR);
        return;
    }
    SetStatus("Configuration saved as \"" + g.fileName + "\"");
    ShowFileInCaption(g.fileName);
}

void SaveAs() {
    g.fileName.clear();
    Save();
}

void Open() {
    const std::string file = AskFileName(false);
    if (file.empty()) return;
    std::string message;
    const OpenOutcome outcome = OpenConfiguration(file, message);
    if (outcome == OpenOutcome::Refused) {
        ShowMessage(message.c_str(), kCaptionError, MB_OK | MB_ICONWARNING);
        return;
    }
    ResetTree();
    LoadMenuTree();
    TreeView_Expand(g.tree, RootNode(), TVE_EXPAND);
    SelectRoot();
    ShowGroup(RootNode());
    if (outcome == OpenOutcome::ImportFailed) {
        ShowMessage(message.c_str(), kCaptionError, MB_OK | MB_ICONWARNING);
        return;
    }
    ShowFileInCaption(file);
    SetStatus("Loaded Settings from \"" + file + "\"");
}

void SetListView(DWORD view) {
    const LONG_PTR style = GetWindowLongPtrA(g.list, GWL_STYLE);
    SetWindowLongPtrA(g.list, GWL_STYLE, (style & ~static_cast<LONG_PTR>(LVS_TYPEMASK)) | view);
}

void ToggleStatusBar() {
    const bool show = !IsWindowVisible(g.status);
    ShowWindow(g.status, show ? SW_SHOW : SW_HIDE);
    CheckMenuItem(GetMenu(g.form), CM_STATUSBAR, show ? MF_CHECKED : MF_UNCHECKED);
    Layout();
}

// Files dropped from the shell become rows of the shown group.
std::string FreeCaption(std::string caption) {
    for (;;) {
        bool taken = false;
        for (int i = 0, n = RowCount(g.list); i < n && !taken; ++i) taken = ReadRow(g.list, i).name == caption;
        if (!taken) return caption;
        caption += "_";
    }
}

void AddDroppedFile(const std::string& path) {
    const std::string name = FileNameOf(path);
    const std::string ext = ExtensionOf(name);
    std::string lowerExt = ext;
    if (!lowerExt.empty()) CharLowerBuffA(&lowerExt[0], static_cast<DWORD>(lowerExt.size()));
    ItemRow row;
    row.type = kTypeShortcut;
    row.runStyle = kRunNormal;
    if (lowerExt != "lnk") {
        row.name = FreeCaption(WithoutExtension(name));
        row.target = QuotedWhenBlank(path);
        row.startIn = FolderOf(path);
    } else {
        const std::optional<Shortcut> link = ReadShortcut(path);
        if (!link) {
            ReportSkippedShortcut(path);
            return;
        }
        row.name = FreeCaption(link->description.empty() ? WithoutExtension(name) : link->description);
        row.target = QuotedWhenBlank(link->path);
        row.startIn = link->workingDirectory;
        row.runStyle = RunStyleOfShowCommand(link->showCommand);
    }
    InsertRow(g.list, RowCount(g.list), row);
    SaveGroupItems();
}

void OnDropFiles(HDROP drop) {
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char path[MAX_PATH] = "";
        if (DragQueryFileA(drop, i, path, MAX_PATH)) AddDroppedFile(path);
    }
    DragFinish(drop);
}

// Rows dragged with the right button onto a group.
void EndRowDrag(POINT screen) {
    ReleaseCapture();
    g.dragging = false;
    if (!g.rightDrag) return;
    TVHITTESTINFO hit = {};
    hit.pt = screen;
    ScreenToClient(g.tree, &hit.pt);
    HTREEITEM target = TreeView_HitTest(g.tree, &hit);
    if (!target || !(hit.flags & TVHT_ONITEM)) return;
    holm::UniqueMenu menu(CreatePopupMenu());
    AppendMenuA(menu.Get(), MF_STRING, CM_MOVEHERE, "Move Here");
    AppendMenuA(menu.Get(), MF_STRING, CM_COPYHERE, "Copy Here");
    AppendMenuA(menu.Get(), MF_STRING, CM_DRAGCANCEL, "Cancel");
    const int choice = TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, g.form,
                                      nullptr);
    if (choice == CM_MOVEHERE) CopyItemsToGroup(target, true);
    if (choice == CM_COPYHERE) CopyItemsToGroup(target, false);
}

void OpenListPopup() {
    const bool selected = FirstSelectedItem() >= 0;
    holm::UniqueMenu menu(CreatePopupMenu());
    HMENU views = CreatePopupMenu();
    AppendMenuA(views, MF_STRING, CM_SMALLICONS, "&Small Icons");
    AppendMenuA(views, MF_STRING, CM_LIST, "&List");
    AppendMenuA(views, MF_STRING, CM_DETAILS, "&Details");
    AppendMenuA(menu.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(views), "&List");
    AppendMenuA(menu.Get(), MF_STRING | (g.view.autoSize ? MF_CHECKED : 0), CM_AUTOSIZE, "Autosize Columns");
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
    TrackPopupMenu(menu.Get(), TPM_RIGHTBUTTON, pt.x, pt.y, 0, g.form, nullptr);
}

void OpenTreePopup() {
    HTREEITEM group = SelectedGroup();
    const bool startup = group && NodeImage(g.tree, group) == kImageStartup;
    holm::UniqueMenu menu(CreatePopupMenu());
    AppendMenuA(menu.Get(), MF_STRING, CM_ADD, "&New Group");
    AppendMenuA(menu.Get(), MF_STRING, CM_DELETE, "&Delete Group");
    AppendMenuA(menu.Get(), MF_STRING, CM_EDITNAME, "&Edit Name");
    AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu.Get(), MF_STRING | (startup ? MF_CHECKED : 0), CM_STARTUPGROUP, "Startup Group?");
    AppendMenuA(menu.Get(), MF_STRING, CM_IMPORT, "&Import Start Menu Here...");
    POINT pt;
    GetCursorPos(&pt);
    TrackPopupMenu(menu.Get(), TPM_RIGHTBUTTON, pt.x, pt.y, 0, g.form, nullptr);
}

void ShowOptions() {
    int x = 0, y = 0;
    PlaceEditor(x, y);
    ShowOptionsForm(g.form, x, y);
}

// The hotkeys dialog opens 25 pixels right of and below the options window.
void ShowSpecialHotkeys() {
    const POINT at = OptionsFormPosition(g.form);
    HotKeyFillForm();
    ShowHotKeyDlg(g.form, at.x + kEditorOffset, at.y + kEditorOffset);
}

void OnCommand(int id) {
    switch (id) {
    case CM_HOTKEYS: ShowSpecialHotkeys(); break;
    case CM_OPTIONS: ShowOptions(); break;
    case CM_NEW: NewConfiguration(); break;
    case CM_SAVE: Save(); break;
    case CM_SAVEAS: SaveAs(); break;
    case CM_OPEN: Open(); break;
    case CM_EXITNOUPDATE:
        g.exitWithoutUpdate = true;
        PostMessageA(g.form, WM_CLOSE, 0, 0);
        break;
    case CM_QUIT: PostMessageA(g.form, WM_CLOSE, 0, 0); break;
    case CM_ADD: NewItem(); break;
    case CM_DELETE: Delete(); break;
    case CM_INSERTITEM: InsertItem(); break;
    case CM_PROPERTIES: Properties(); break;
    case CM_STATUSBAR: ToggleStatusBar(); break;
    case CM_SMALLICONS: SetListView(LVS_SMALLICON); break;
    case CM_LIST: SetListView(LVS_LIST); break;
    case CM_DETAILS: SetListView(LVS_REPORT); break;
    case CM_REFRESH: Refresh(); break;
    case CM_ABOUT: ShowAboutBox(g.form); break;
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
        g.clickedSelectedNode = nullptr;
        OnGroupSelected(reinterpret_cast<NMTREEVIEWA*>(hdr)->itemNew.hItem);
        return 0;
    case NM_SETFOCUS: g.listSideActive = false; return 0;
    case NM_KILLFOCUS: g.listSideActive = true; return 0;
    case TVN_BEGINLABELEDITA: return !LabelEditAllowed(reinterpret_cast<NMTVDISPINFOA*>(hdr)->item.hItem);
    case TVN_ENDLABELEDITA: {
        g.clickedSelectedNode = nullptr;
        const auto* info = reinterpret_cast<NMTVDISPINFOA*>(hdr);
        if (info->item.pszText) RenameGroup(info->item.hItem, info->item.pszText);
        return FALSE;  // the model has set the label it keeps
    }
    }
    return 0;
}

// The tree's popup opens as the right button goes down; it acts on the
// selected group, and the tree becomes the active side.
LRESULT CALLBACK TreeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN) {
        TVHITTESTINFO hit = {};
        hit.pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        HTREEITEM node = TreeView_HitTest(hwnd, &hit);
        g.clickedSelectedNode = (node && node == TreeView_GetSelection(hwnd)) ? node : nullptr;
    }
    if (message == WM_KEYDOWN) g.clickedSelectedNode = nullptr;
    if (message == WM_RBUTTONDOWN) {
        SetFocus(hwnd);
        OpenTreePopup();
        return 0;
    }
    return CallWindowProcA(g.treeProc, hwnd, message, wParam, lParam);
}

LRESULT OnListNotify(NMHDR* hdr) {
    switch (hdr->code) {
    case NM_RCLICK: OpenListPopup(); return TRUE;
    case NM_DBLCLK:
    case NM_RETURN: Properties(); return 0;
    case LVN_BEGINRDRAG:
        g.rightDrag = true;
        g.dragging = true;
        SetCapture(g.form);
        SetCursor(LoadCursorA(nullptr, (GetKeyState(VK_CONTROL) < 0) ? IDC_SIZEALL : IDC_UPARROW));
        return 0;
    case LVN_BEGINDRAG: g.rightDrag = false; return 0;
    }
    return 0;
}

// One rule colours the tool button captions: the button under the mouse
// shows its caption blue (Quit: red) while the mouse lies in the same
// small rectangle of any button; every other caption keeps the text colour.
constexpr RECT kHotRect = {6, 6, 51, 21};
// Where no system reports the pointer leaving, the toolbar looks every so often.
constexpr UINT_PTR kLeaveTimer = 0x4C56;
constexpr UINT kLeaveCheckMs = 100;

void SetHotButton(int command, bool inside) {
    if (command == g.hotButton && inside == g.hotInside) return;
    g.hotButton = command;
    g.hotInside = inside;
    InvalidateRect(g.toolbar, nullptr, FALSE);
}

void TrackToolbarMouse(POINT pt) {
    const int index = static_cast<int>(SendMessageA(g.toolbar, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&pt)));
    TBBUTTON button = {};
    if (index < 0 || !SendMessageA(g.toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button)) ||
        (button.fsStyle & BTNS_SEP)) {
        SetHotButton(0, false);
        return;
    }
    RECT rc = {};
    SendMessageA(g.toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rc));
    const int x = pt.x - rc.left, y = pt.y - rc.top;
    SetHotButton(button.idCommand, x >= kHotRect.left && x <= kHotRect.right && y >= kHotRect.top && y <= kHotRect.bottom);
    if (!holm::TrackMouseLeave(g.toolbar)) SetTimer(g.toolbar, kLeaveTimer, kLeaveCheckMs, nullptr);
}

void CheckPointerLeft(HWND toolbar) {
    POINT pt = {};
    GetCursorPos(&pt);
    if (WindowFromPoint(pt) == toolbar) return;
    KillTimer(toolbar, kLeaveTimer);
    SetHotButton(0, false);
}

LRESULT CALLBACK ToolbarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEMOVE) TrackToolbarMouse(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    if (message == WM_MOUSELEAVE || message == WM_KILLFOCUS) SetHotButton(0, false);
    if (message == WM_TIMER && wParam == kLeaveTimer) {
        CheckPointerLeft(hwnd);
        return 0;
    }
    return CallWindowProcA(g.toolbarProc, hwnd, message, wParam, lParam);
}

LRESULT OnToolbarCustomDraw(NMTBCUSTOMDRAW* draw) {
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    const bool hot = static_cast<int>(draw->nmcd.dwItemSpec) == g.hotButton && g.hotInside;
    if (hot) draw->clrText = g.hotButton == CM_QUIT ? RGB(255, 0, 0) : RGB(0, 0, 255);
    else draw->clrText = GetSysColor(COLOR_WINDOWTEXT);
    return CDRF_DODEFAULT;
}

LRESULT OnToolbarNotify(NMHDR* hdr) {
    if (hdr->hwndFrom == g.toolbar && hdr->code == NM_CUSTOMDRAW)
        return OnToolbarCustomDraw(reinterpret_cast<NMTBCUSTOMDRAW*>(hdr));
    if (hdr->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(hdr);
        for (const ToolButton& b : kToolButtons)
            if (static_cast<UINT_PTR>(b.command) == hdr->idFrom && b.hint) info->lpszText = const_cast<char*>(b.hint);
    }
    return 0;
}

void CreateToolbar(HINSTANCE instance) {
    g.toolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                                WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP, 0, 0, 0, 0,
                                g.form, nullptr, instance, nullptr);
    SendMessageA(g.toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(g.toolbar, TB_LOADIMAGES, IDB_STD_SMALL_COLOR, reinterpret_cast<LPARAM>(HINST_COMMCTRL));
    std::vector<TBBUTTON> buttons;
    for (const ToolButton& b : kToolButtons) {
        TBBUTTON button = {};
        button.iBitmap = b.image;
        button.idCommand = b.command;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_BUTTON;
        button.iString = reinterpret_cast<INT_PTR>(b.caption);
        buttons.push_back(button);
        if (b.command == CM_IMPORT || b.command == CM_DELETE) {
            TBBUTTON divider = {};
            divider.fsStyle = BTNS_SEP;
            buttons.push_back(divider);
        }
    }
    SendMessageA(g.toolbar, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageA(g.toolbar, TB_AUTOSIZE, 0, 0);
    g.toolbarProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(g.toolbar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ToolbarProc)));
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
    g.tree = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, nullptr,
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT |
                                 TVS_EDITLABELS | TVS_SHOWSELALWAYS,
                             0, 0, 0, 0, g.form, nullptr, instance, nullptr);
    SendMessageA(g.tree, TVM_SETINDENT, 20, 0);
    g.treeProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(g.tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TreeProc)));
    // Closed folder, open folder, the root, the startup group.
    g.treeImages = ShellIcons({-4, -5, -35, -28});
    TreeView_SetImageList(g.tree, g.treeImages, TVSIL_NORMAL);
    g.list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, nullptr,
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER |
                                 LVS_SHAREIMAGELISTS,
                             0, 0, 0, 0, g.form, nullptr, instance, nullptr);
    // An application shortcut, a special item.
    g.listImages = ShellIcons({-3, -16});
    ListView_SetImageList(g.list, g.listImages, LVSIL_SMALL);
    for (int i = 0; i < kColumnCount; ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(kColumnTitles[i]);
        column.cx = g.view.columns[i];
        SendMessageA(g.list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    g.status = CreateWindowExA(0, STATUSCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                               g.form, nullptr, instance, nullptr);
    SendMessageA(g.status, SB_SIMPLE, TRUE, 0);
}

void CreateImportPanel(HINSTANCE instance) {
    g.importPanel = CreateWindowExA(WS_EX_DLGMODALFRAME, "STATIC", nullptr, WS_CHILD | SS_NOTIFY, 0, 0, 340, 110,
                                    g.form, nullptr, instance, nullptr);
    CreateWindowExA(0, "STATIC", "Importing Start Menu. Please Wait.", WS_CHILD | WS_VISIBLE, 90, 10, 240, 16,
                    g.importPanel, nullptr, instance, nullptr);
    HWND picture = CreateWindowExA(0, "STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_BITMAP, 10, 10, 64, 64,
                                   g.importPanel, nullptr, instance, nullptr);
    ShowProgramPicture(picture, PictureKind::Import);
    CreateWindowExA(0, "STATIC", "Importing:", WS_CHILD | WS_VISIBLE, 90, 36, 240, 16, g.importPanel, nullptr,
                    instance, nullptr);
    g.importLabel = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_PATHELLIPSIS, 90, 56, 240, 16,
                                    g.importPanel, nullptr, instance, nullptr);
    for (HWND child = GetWindow(g.importPanel, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

void ApplyViewSettings() {
    if (!ReadViewSettings(g.view)) g.view = ViewSettings();
    RECT desktop = {};
    GetWindowRect(GetDesktopWindow(), &desktop);
    PullOntoDesktop(g.view, desktop.right, desktop.bottom);
    for (int i = 0; i < kColumnCount; ++i) SendMessageA(g.list, LVM_SETCOLUMNWIDTH, i, g.view.columns[i]);
    if (g.view.autoSize) {
        g.view.autoSize = false;
        ToggleAutosize();
    }
    MoveWindow(g.form, g.view.left, g.view.top, g.view.width, g.view.height, FALSE);
}

// The first run's settings in the option forms, stored when the program closes.
void SetFormDefaults(bool isNT) {
    constexpr unsigned kControlEscape = 0x401B;
    SetOptionDefaults(isNT);
    if (isNT) SetHotKeyShortcut(1, kControlEscape);
}

void OnCreate(HWND form) {
    g.form = form;
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExA(&version);
    SetIsNT(version.dwPlatformId == VER_PLATFORM_WIN32_NT);
    CreateToolbar(instance);
    CreateViews(instance);
    CreateImportPanel(instance);
    AttachViews(g.tree, g.list);
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
    if (g.exitWithoutUpdate) return;
    CaptureViewSettings();
    if (WriteViewSettings(g.view, false)) {
        if (!ProductHasValue(values::kInitMenuTitle)) {
            // The first run's settings, over whatever is stored already.
            OptionsFillForm(std::string(kProductKey) + "\\");
            OptionsSaveForm();
            HotKeyFillForm();
            HotKeySaveForm();
        }
        if (!ProductHasValue(values::kShowNoTitleWindows))
            WriteProductNumberIfKeyExists(values::kShowNoTitleWindows, 0);
        WriteProductNumberIfKeyExists("AutoSize", g.view.autoSize ? 1 : 0);
        CreateGroupKeyAt(kRootGroup);
    }
    SendReloadRequest();
}

bool OverSplitter(int x) { return x >= g.view.treeWidth && x < g.view.treeWidth + kSplitterWidth + 2; }

LRESULT CALLBACK MainFormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: OnCreate(hwnd); return 0;
    case WM_SIZE: Layout(); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
    case WM_NOTIFY: {
        NMHDR* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr->hwndFrom == g.tree) return OnTreeNotify(hdr);
        if (hdr->hwndFrom == g.list) return OnListNotify(hdr);
        return OnToolbarNotify(hdr);
    }
    case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_RBUTTONUP:
        if (g.dragging) {
            POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            ClientToScreen(hwnd, &pt);
            EndRowDrag(pt);
        }
        return 0;
    case WM_LBUTTONDOWN:
        if (OverSplitter(static_cast<short>(LOWORD(lParam)))) {
            g.splitting = true;
            SetCapture(hwnd);
        }
        return 0;
    case WM_MOUSEMOVE:
        SetHotButton(0, false);
        if (g.splitting) {
            RECT rc = {};
            GetClientRect(hwnd, &rc);
            const int x = static_cast<short>(LOWORD(lParam));
            g.view.treeWidth = x < 20 ? 20 : (x > rc.right - 20 ? rc.right - 20 : x);
            Layout();
        }
        return 0;
    case WM_LBUTTONUP:
        if (g.splitting) {
            g.splitting = false;
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
        g.dragging = false;
        g.splitting = false;
        return 0;
    case WM_CLOSE:
        // A close asked for while the tree is loading waits for the load.
        if (g.loading) {
            g.closeRequested = true;
            return 0;
        }
        StoreOnClose();
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        ImageList_Destroy(g.treeImages);
        ImageList_Destroy(g.listImages);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

HWND CreateMainForm(HINSTANCE instance) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = MainFormProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_HOLMCFG));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    wc.lpszMenuName = MAKEINTRESOURCEA(IDM_MAINMENU);
    if (!RegisterClassA(&wc)) return nullptr;
    g.keys = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDA_MAIN));
    return CreateWindowExA(0, kClass, kTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 269, 434, 652, 480, nullptr,
                           nullptr, instance, nullptr);
}

void StartMainForm(HWND form, int show) {
    g.loading = true;
    LoadMenuTree();
    g.loading = false;
    TreeView_Expand(g.tree, RootNode(), TVE_EXPAND);
    if (!TreeView_GetSelection(g.tree)) SelectRoot();
    if (g.closeRequested) {
        PostMessageA(form, WM_CLOSE, 0, 0);
        return;
    }
    ShowWindow(form, show);
    UpdateWindow(form);
    SetFocus(g.tree);  // the tree is the side in use until the list is
}

bool TranslateMainFormKeys(MSG& msg) {
    if (!g.form || !g.keys) return false;
    // Keys typed into an edit box (a group's label) stay with it.
    char cls[16] = "";
    GetClassNameA(msg.hwnd, cls, sizeof(cls));
    if (lstrcmpiA(cls, "Edit") == 0) return false;
    if (holm::TopLevelWindow(msg.hwnd) != g.form) return false;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_DELETE) {
        PostMessageA(g.form, WM_COMMAND, CM_DELETE, 0);
        return true;
    }
    return TranslateAcceleratorA(g.form, g.keys, &msg) != 0;
}

}  // namespace setwise
