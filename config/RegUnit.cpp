#include "RegUnit.h"

#include <functional>
#include <vector>

#include "group_keys.h"
#include "item_row.h"
#include "messages.h"
#include "start_menu_import.h"
#include "view_rows.h"
#include "registry.h"
#include "store_limits.h"
#include "win_handles.h"

namespace setwise {

namespace {

struct ModelState {
    HWND tree = nullptr;
    HWND list = nullptr;
    HTREEITEM root = nullptr;
    HTREEITEM currentGroupNode = nullptr;
    std::string startupGroupName;
    bool firstRun = false;
    bool isNT = false;
    // The texts of the shown group as they were read or last written: a
    // row the user did not change is written back exactly as it was.
    std::vector<NamedText> storedTexts;
    FirstRunHooks hooks;
};

ModelState g_model;

constexpr char kCaptionWelcome[] = "Setwise for HOLM v1.0: Welcome!";
constexpr char kBadGroupName[] = "A group name cannot be empty or hold a backslash (\\), and has at most 255 characters.";

bool FindPath(HTREEITEM node, HTREEITEM wanted, const std::string& path, std::string& found) {
    for (HTREEITEM child : ChildNodes(g_model.tree, node)) {
        const std::string childPath = path + "\\" + NodeText(g_model.tree, child);
        if (child == wanted) {
            found = childPath;
            return true;
        }
        if (FindPath(child, wanted, childPath, found)) return true;
    }
    return false;
}

void MarkNode(HTREEITEM node, const std::string& name) {
    if (name == g_model.startupGroupName)
        SetNodeImages(g_model.tree, node, kImageStartup, kImageStartup);
    else
        SetNodeImages(g_model.tree, node, kImageGroup, kImageGroupSelected);
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
        HTREEITEM child = AddChildNode(g_model.tree, node, name, kImageGroup, kImageGroupSelected);
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
        HTREEITEM child = AddChildNode(g_model.tree, g_model.root, name, kImageGroup, kImageGroupSelected);
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
    if (g_model.hooks.selectRoot) g_model.hooks.selectRoot();
    g_model.firstRun = true;
    WriteProductText(values::kStartupGroupName, "");
    ImportFolder(g_model.root, StartMenuFolder(false));
    if (g_model.isNT) ImportFolder(g_model.root, StartMenuFolder(true));
    ImportFolder(g_model.root, QuickLaunchFolder());
    WriteDefaultItems();
    ShowGroup(g_model.root);
    if (g_model.hooks.setOptionDefaults) g_model.hooks.setOptionDefaults(g_model.isNT);
    WriteDefaultCloak();
    ShowMessage("Default Settings have been created. To Complete installation, configure your personal settings and "
                "reboot.",
                "Holm Configuration");
}

std::optional<std::string> TextForRow(const ItemRow& row) {
    for (const NamedText& stored : g_model.storedTexts)
        if (stored.first == row.name && ParseItemText(stored.first, stored.second).SameColumns(row))
            return stored.second;
    return BuildItemText(row);
}

std::vector<NamedText> TextsOfRows(const std::vector<int>& rows) {
    std::vector<NamedText> texts;
    for (int i : rows) {
        const ItemRow row = ReadRow(g_model.list, i);
        if (const auto text = TextForRow(row)) texts.emplace_back(row.name, *text);
    }
    return texts;
}

std::vector<int> AllRows() {
    std::vector<int> rows(RowCount(g_model.list));
    for (size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<int>(i);
    return rows;
}

// A change of letter case only: the registry sees one key, so the group
// goes through a spare key and never exists nowhere.
bool RenameCaseOnly(const std::string& oldPath, const std::string& newPath) {
    std::string spare = oldPath + " (renaming)";
    std::vector<std::string> ignored;
    for (int n = 2; ReadSubgroups(spare, ignored); ++n) spare = oldPath + " (renaming " + std::to_string(n) + ")";
    if (!CopyGroupTree(oldPath, spare)) return false;
    DeleteGroupTree(oldPath);
    if (!CopyGroupTree(spare, newPath)) return false;
    DeleteGroupTree(spare);
    return true;
}

}  // namespace

void AttachViews(HWND tree, HWND list) {
    g_model.tree = tree;
    g_model.list = list;
    g_model.root = nullptr;
    g_model.currentGroupNode = nullptr;
    g_model.storedTexts.clear();
}

void SetIsNT(bool isNT) { g_model.isNT = isNT; }
bool IsNT() { return g_model.isNT; }
HWND TreeView() { return g_model.tree; }
HWND ListView() { return g_model.list; }
void SetFirstRunHooks(const FirstRunHooks& hooks) { g_model.hooks = hooks; }

HTREEITEM ResetTree() {
    SendMessageA(g_model.tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    SendMessageA(g_model.list, LVM_DELETEALLITEMS, 0, 0);
    g_model.storedTexts.clear();
    g_model.root = AddChildNode(g_model.tree, nullptr, kRootGroup, kImageRoot, kImageRoot);
    g_model.currentGroupNode = g_model.root;
    return g_model.root;
}

HTREEITEM RootNode() { return g_model.root; }

HTREEITEM SelectedGroup() { return TreeView_GetSelection(g_model.tree); }
int FirstSelectedItem() { return FirstSelectedRow(g_model.list); }

std::string GroupPathOf(HTREEITEM node) {
    if (!node) return "";
    if (node == g_model.root) return kRootGroup;
    std::string found;
    return FindPath(g_model.root, node, kRootGroup, found) ? found : "";
}

HTREEITEM CurrentGroupNode() { return g_model.currentGroupNode; }
void SetCurrentGroupNode(HTREEITEM node) { g_model.currentGroupNode = node; }
const std::string& StartupGroupName() { return g_model.startupGroupName; }
bool FirstRun() { return g_model.firstRun; }

bool CreateGroupKey(const std::string& groupPath) {
    if (!groupPath.empty() && CreateGroupKeyAt(groupPath)) return true;
    ShowMessage("Failed to Create Group in Registry!", "Error");
    return false;
}

bool DeleteKeyTree(const std::string& groupPath) {
    if (DeleteGroupTree(groupPath)) return true;
    ShowMessage("DeleteKey: Failed to Open Group in Registry!", "Error");
    return false;
}

std::string StoreProblemOf(const ItemRow& row) {
    holm::StoreFault fault = holm::StoreFault::None;
    if (row.type == kTypeShortcut) {
        fault = holm::CheckItemField(row.target);
        if (fault == holm::StoreFault::None) fault = holm::CheckItemField(row.startIn);
    }
    if (fault == holm::StoreFault::None) fault = holm::CheckStoredItem(row.name, BuildItemText(row).value_or(""));
    return holm::StoreFaultText(fault, row.name);
}

void SetStartupGroupName(const std::string& name) {
    WriteProductText(values::kStartupGroupName, name);
    g_model.startupGroupName = name;
}

bool IsNewInstallation() { return !ProductHasValue(values::kTrayVisible); }

void LoadMenuTree() {
    if (ProductKeyExists()) {
        g_model.startupGroupName = ReadProductText(values::kStartupGroupName);
        LoadTopGroups();
    }
    g_model.firstRun = false;
    if (IsNewInstallation()) RunFirstRun();
}

void LoadGroupItems(const std::string& groupPath) {
    std::vector<NamedText> values;
    if (!ReadGroupValues(groupPath, values)) return;
    g_model.storedTexts = values;
    if (values.empty()) {
        SendMessageA(g_model.list, LVM_DELETEALLITEMS, 0, 0);
        return;
    }
    for (const NamedText& v : values) InsertRow(g_model.list, RowCount(g_model.list), ParseItemText(v.first, v.second));
}

void ShowGroup(HTREEITEM node) {
    SendMessageA(g_model.list, LVM_DELETEALLITEMS, 0, 0);
    g_model.currentGroupNode = node;
    LoadGroupItems(GroupPathOf(node));
}

bool SaveGroupItems() {
    const std::string path = GroupPathOf(g_model.currentGroupNode);
    std::vector<NamedText> existing;
    if (!ReadGroupValues(path, existing)) {
        ShowMessage("RegSaveValues: Failed to Open Group in Registry!", "Error");
        return false;
    }
    const std::vector<NamedText> values = TextsOfRows(AllRows());
    const bool saved = ReplaceGroupValues(path, values);
    if (saved) g_model.storedTexts = values;
    return saved;
}

void CopyItemsToGroup(HTREEITEM target, bool move) {
    const std::string targetPath = GroupPathOf(target);
    if (target == g_model.currentGroupNode) {
        ShowMessage("Dragging to the same group", kCaptionShortError);
        return;
    }
    // A row goes from the list only once it stands in the target group.
    std::vector<int> written;
    for (int row : SelectedRows(g_model.list)) {
        const std::vector<NamedText> texts = TextsOfRows({row});
        if (!texts.empty() && WriteGroupValue(targetPath, texts[0].first, texts[0].second)) written.push_back(row);
    }
    if (!move) return;
    for (auto it = written.rbegin(); it != written.rend(); ++it) DeleteRow(g_model.list, *it);
    SaveGroupItems();
}

std::string RenameGroup(HTREEITEM node, const std::string& newName) {
    const std::string oldText = NodeText(g_model.tree, node);
    if (!holm::IsStorableGroupName(newName)) {
        ShowMessage(kBadGroupName, kCaptionError);
        return oldText;
    }
    std::string name = newName;
    const std::string oldPath = GroupPathOf(node);
    HTREEITEM parent = TreeView_GetParent(g_model.tree, node);
    bool merge = false;
    for (HTREEITEM sibling : ChildNodes(g_model.tree, parent)) {
        if (sibling == node || !SameTextIgnoringCase(NodeText(g_model.tree, sibling), newName)) continue;
        if (ShowMessage("A folder of that name already exists! Do You Wish to merge it with the other folder?",
                        kCaptionError, MB_YESNO) == IDYES) {
            merge = true;
            TreeView_DeleteItem(g_model.tree, sibling);
        } else {
            name = oldText;
        }
    }
    if (name != oldText) {
        const std::string newPath = GroupPathOf(parent) + "\\" + name;
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
            for (HTREEITEM child : ChildNodes(g_model.tree, node)) TreeView_DeleteItem(g_model.tree, child);
            std::vector<std::string> names;
            if (ReadSubgroups(newPath, names))
                LoadSubtree(node, newPath);
            else
                ShowMessage(("Error Opening Key: " + newPath).c_str(), "Error!");
            SetNodeText(g_model.tree, node, name);
            TreeView_SelectItem(g_model.tree, node);
            TreeView_Expand(g_model.tree, node, TVE_COLLAPSE);
            ShowGroup(node);
        }
    }
    SetNodeText(g_model.tree, node, name);
    return name;
}

}  // namespace setwise
