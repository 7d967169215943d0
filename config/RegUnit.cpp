#include "RegUnit.h"

#include <functional>
#include <vector>

#include "group_keys.h"
#include "item_row.h"
#include "messages.h"
#include "start_menu_import.h"
#include "view_rows.h"
#include "registry.h"
#include "win_handles.h"

namespace setwise {

namespace {

struct ModelState {
    HWND tree = nullptr;
    HWND list = nullptr;
    HTREEITEM root = nullptr;
    std::string currentGroupPath = kRootGroup;
    HTREEITEM currentGroupNode = nullptr;
    std::string startupGroupName;
    bool firstRun = false;
    bool isNT = false;
    // The texts of the shown group as they were read or last written: a
    // row the user did not change is written back exactly as it was.
    std::vector<NamedText> storedTexts;
    FirstRunHooks hooks;
};

ModelState g;

constexpr char kCaptionWelcome[] = "Setwise for HOLM v1.0: Welcome!";

bool FindPath(HTREEITEM node, HTREEITEM wanted, const std::string& path, std::string& found) {
    for (HTREEITEM child : ChildNodes(g.tree, node)) {
        const std::string childPath = path + "\\" + NodeText(g.tree, child);
        if (child == wanted) {
            found = childPath;
            return true;
        }
        if (FindPath(child, wanted, childPath, found)) return true;
    }
    return false;
}

void MarkNode(HTREEITEM node, const std::string& name) {
    if (name == g.startupGroupName)
        SetNodeImages(g.tree, node, kImageStartup, kImageStartup);
    else
        SetNodeImages(g.tree, node, kImageGroup, kImageGroupSelected);
}

void ReportOpenFailure(const std::string& what) {
    ShowMessage(("Error Openning Key: " + what).c_str(), "Error!");
}

void LoadSubtree(HTREEITEM node, const std::string& groupPath) {
    std::vector<std::string> names;
    if (!ReadSubgroups(groupPath, names)) {
        ReportOpenFailure(GroupKeyOf(groupPath));
        return;
    }
    for (const std::string& name : names) {
        const std::string childPath = groupPath + "\\" + name;
        std::vector<std::string> ignored;
        if (!ReadSubgroups(childPath, ignored)) ReportOpenFailure(name);
        HTREEITEM child = AddChildNode(g.tree, node, name, kImageGroup, kImageGroupSelected);
        MarkNode(child, name);
        LoadSubtree(child, childPath);
    }
}

void LoadTopGroups() {
    std::vector<std::string> names;
    if (!ReadSubgroups(kRootGroup, names)) return;
    for (const std::string& name : names) {
        const std::string path = std::string(kRootGroup) + "\\" + name;
        std::vector<std::string> ignored;
        if (!ReadSubgroups(path, ignored)) {
            ReportOpenFailure(name);
            continue;
        }
        HTREEITEM child = AddChildNode(g.tree, g.root, name, kImageGroup, kImageGroupSelected);
        MarkNode(child, name);
        LoadSubtree(child, path);
    }
}

void WriteDefaultItems() {
    CreateGroupKeyAt(kRootGroup);
    WriteGroupValue(kRootGroup, "Desktop", std::string(kDesktopCommand) + "||0|");
    WriteGroupValue(kRootGroup, "Dial-up Networking", std::string(kDialUpCommand) + "||0|");
    WriteGroupValue(kRootGroup, "My Computer", std::string(kMyComputerCommand) + "||0|");
    WriteGroupValue(kRootGroup, "Network Neighborhood", std::string(kNetworkCommand) + "||0|");
}

void WriteDefaultCloak() {
    WriteProductText(values::kCloak, "Default");
    WriteProductNumber(values::kUseCustomMenus, 1);
    const std::string cloak = "Cloaks\\Default";
    CreateGroupKeyAt(cloak);
    const holm::UniqueKey record = holm::OpenUserKey(GroupKeyOf(cloak).c_str(), KEY_SET_VALUE);
    const auto number = [&](const char* name) {
        const DWORD zero = 0;
        RegSetValueExA(record.Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), sizeof(zero));
    };
    WriteGroupValue(cloak, values::kCloakBackground, "");
    WriteGroupValue(cloak, values::kCloakSubmenuIcon, "");
    WriteGroupValue(cloak, values::kCloakFont, "MS Sans Serif");
    number(values::kCloakUnderline);
    number(values::kCloakItalics);
    number(values::kCloakBold);
    WriteGroupValue(cloak, values::kCloakTextColour, "255 255 255");
    WriteGroupValue(cloak, values::kCloakDisabledTextColour, "175 175 175");
    WriteGroupValue(cloak, values::kCloakBorderColour, "255 255 255");
    WriteGroupValue(cloak, values::kCloakHideCursor, "");
    WriteGroupValue(cloak, values::kCloakCloseCursor, "");
    WriteGroupValue(cloak, values::kCloakKillCursor, "");
}

void RunFirstRun() {
    ShowMessage("New Installation of HOLM Detected, creating default menu, Please Wait while your Start Menu is "
                "imported",
                kCaptionWelcome);
    if (g.hooks.selectRoot) g.hooks.selectRoot();
    g.firstRun = true;
    WriteProductText(values::kStartupGroupName, "");
    ImportFolder(0, StartMenuFolder(false));
    if (g.isNT) ImportFolder(0, StartMenuFolder(true));
    ImportFolder(0, QuickLaunchFolder());
    WriteDefaultItems();
    ShowGroup(g.root);
    if (g.hooks.setOptionDefaults) g.hooks.setOptionDefaults(g.isNT);
    WriteDefaultCloak();
    ShowMessage("Default Settings have been created. To Complete installation, configure your personal settings and "
                "reboot.",
                "Holm Configuration");
}

std::optional<std::string> TextForRow(const ItemRow& row) {
    for (const NamedText& stored : g.storedTexts)
        if (stored.first == row.name && ParseItemText(stored.first, stored.second).SameColumns(row))
            return stored.second;
    return BuildItemText(row);
}

std::vector<NamedText> TextsOfRows(const std::vector<int>& rows) {
    std::vector<NamedText> texts;
    for (int i : rows) {
        const ItemRow row = ReadRow(g.list, i);
        if (const auto text = TextForRow(row)) texts.emplace_back(row.name, *text);
    }
    return texts;
}

std::vector<int> AllRows() {
    std::vector<int> rows(RowCount(g.list));
    for (size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<int>(i);
    return rows;
}

// A change of letter case only: the registry sees one key, so the group
// goes through a spare key and never exists nowhere.
bool RenameCaseOnly(const std::string& oldPath, const std::string& newPath) {
    const std::string spare = oldPath + " (renaming)";
    if (!CopyGroupTree(oldPath, spare)) return false;
    DeleteGroupTree(oldPath);
    if (!CopyGroupTree(spare, newPath)) return false;
    DeleteGroupTree(spare);
    return true;
}

}  // namespace

void AttachViews(HWND tree, HWND list) {
    g.tree = tree;
    g.list = list;
    g.root = nullptr;
    g.currentGroupNode = nullptr;
    g.storedTexts.clear();
}

void SetIsNT(bool isNT) { g.isNT = isNT; }
bool IsNT() { return g.isNT; }
HWND TreeView() { return g.tree; }
HWND ListView() { return g.list; }
void SetFirstRunHooks(const FirstRunHooks& hooks) { g.hooks = hooks; }

HTREEITEM ResetTree() {
    SendMessageA(g.tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    SendMessageA(g.list, LVM_DELETEALLITEMS, 0, 0);
    g.storedTexts.clear();
    g.root = AddChildNode(g.tree, nullptr, kRootGroup, kImageRoot, kImageRoot);
    g.currentGroupNode = g.root;
    g.currentGroupPath = kRootGroup;
    return g.root;
}

HTREEITEM RootNode() { return g.root; }

HTREEITEM SelectedGroup() { return TreeView_GetSelection(g.tree); }
int FirstSelectedItem() { return FirstSelectedRow(g.list); }

void GroupKeyPath(HTREEITEM node) {
    if (!node) return;
    if (node == g.root) {
        g.currentGroupPath = kRootGroup;
        return;
    }
    std::string found;
    if (FindPath(g.root, node, kRootGroup, found)) g.currentGroupPath = found;
}

const std::string& CurrentGroupPath() { return g.currentGroupPath; }
void SetCurrentGroupPath(const std::string& path) { g.currentGroupPath = path; }
HTREEITEM CurrentGroupNode() { return g.currentGroupNode; }
void SetCurrentGroupNode(HTREEITEM node) { g.currentGroupNode = node; }
const std::string& StartupGroupName() { return g.startupGroupName; }
bool FirstRun() { return g.firstRun; }

bool CreateGroupKey() {
    if (CreateGroupKeyAt(g.currentGroupPath)) return true;
    ShowMessage("Failed to Create Group in Registry!", "Error");
    return false;
}

bool DeleteKeyTree(const std::string& groupPath) {
    if (DeleteGroupTree(groupPath)) return true;
    ShowMessage("DeleteKey: Failed to Open Group in Registry!", "Error");
    return false;
}

void SetStartupGroupName(const std::string& name) {
    WriteProductText(values::kStartupGroupName, name);
    g.startupGroupName = name;
}

bool IsNewInstallation() { return !ProductHasValue(values::kTrayVisible); }

void LoadMenuTree() {
    if (ProductKeyExists()) {
        g.startupGroupName = ReadProductText(values::kStartupGroupName);
        LoadTopGroups();
    }
    g.firstRun = false;
    if (IsNewInstallation()) RunFirstRun();
}

void LoadGroupItems() {
    std::vector<NamedText> values;
    if (!ReadGroupValues(g.currentGroupPath, values)) return;
    g.storedTexts = values;
    if (values.empty()) {
        SendMessageA(g.list, LVM_DELETEALLITEMS, 0, 0);
        return;
    }
    for (const NamedText& v : values) InsertRow(g.list, RowCount(g.list), ParseItemText(v.first, v.second));
}

void ShowGroup(HTREEITEM node) {
    SendMessageA(g.list, LVM_DELETEALLITEMS, 0, 0);
    g.currentGroupNode = node;
    GroupKeyPath(node);
    LoadGroupItems();
}

bool SaveGroupItems() {
    GroupKeyPath(g.currentGroupNode);
    std::vector<NamedText> existing;
    if (!ReadGroupValues(g.currentGroupPath, existing)) {
        ShowMessage("RegSaveValues: Failed to Open Group in Registry!", "Error");
        return false;
    }
    const std::vector<NamedText> values = TextsOfRows(AllRows());
    const bool saved = ReplaceGroupValues(g.currentGroupPath, values);
    if (saved) g.storedTexts = values;
    return saved;
}

void CopyItemsToGroup(HTREEITEM target, bool move) {
    const std::string shownPath = g.currentGroupPath;
    GroupKeyPath(target);
    const std::string targetPath = g.currentGroupPath;
    g.currentGroupPath = shownPath;
    if (target == g.currentGroupNode) {
        ShowMessage("Dragging to the same group", kCaptionShortError);
        return;
    }
    const std::vector<int> rows = SelectedRows(g.list);
    for (const NamedText& v : TextsOfRows(rows)) WriteGroupValue(targetPath, v.first, v.second);
    if (!move) return;
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) DeleteRow(g.list, *it);
    SaveGroupItems();
}

std::string RenameGroup(HTREEITEM node, const std::string& newName) {
    const std::string oldText = NodeText(g.tree, node);
    std::string name = newName;
    GroupKeyPath(node);
    const std::string oldPath = g.currentGroupPath;
    HTREEITEM parent = TreeView_GetParent(g.tree, node);
    bool merge = false;
    for (HTREEITEM sibling : ChildNodes(g.tree, parent)) {
        if (sibling == node || !SameTextIgnoringCase(NodeText(g.tree, sibling), newName)) continue;
        if (ShowMessage("A folder of that name already exists! Do You Wish to merge it with the other folder?",
                        kCaptionError, MB_YESNO) == IDYES) {
            merge = true;
            TreeView_DeleteItem(g.tree, sibling);
        } else {
            name = oldText;
        }
    }
    if (name != oldText) {
        GroupKeyPath(parent);
        const std::string newPath = g.currentGroupPath + "\\" + name;
        g.currentGroupPath = oldPath;
        bool moved;
        if (!merge && SameTextIgnoringCase(name, oldText)) {
            moved = RenameCaseOnly(oldPath, newPath);
        } else {
            CreateGroupKeyAt(newPath);
            moved = CopyGroupTree(oldPath, newPath);
            if (!moved) ShowMessage("Failed to Open Group in Registry!", kCaptionError);
            if (moved) DeleteGroupTree(oldPath);
        }
        if (!moved) name = oldText;
        if (merge && moved) {
            for (HTREEITEM child : ChildNodes(g.tree, node)) TreeView_DeleteItem(g.tree, child);
            std::vector<std::string> names;
            if (ReadSubgroups(newPath, names))
                LoadSubtree(node, newPath);
            else
                ShowMessage(("Error Opening Key: " + newPath).c_str(), "Error!");
            SetNodeText(g.tree, node, name);
            TreeView_SelectItem(g.tree, node);
            TreeView_Expand(g.tree, node, TVE_COLLAPSE);
            ShowGroup(node);
        }
    }
    SetNodeText(g.tree, node, name);
    return name;
}

}  // namespace setwise
