// The menu tree model: the registry's Init Menu shown as the main window's
// group tree and item list. Every change is written to the registry at once.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

namespace setwise {

// Tree images.
enum NodeImageIndex { kImageGroup = 0, kImageGroupSelected = 1, kImageRoot = 2, kImageStartup = 3 };

// The views the model works on; called once by the main window (and tests).
void AttachViews(HWND tree, HWND list);
void SetIsNT(bool isNT);
bool IsNT();
HWND TreeView();
HWND ListView();

// Empties the tree down to the lone root node "Init Menu" and empties the list.
HTREEITEM ResetTree();
HTREEITEM RootNode();

HTREEITEM SelectedGroup();
int FirstSelectedItem();
void GroupKeyPath(HTREEITEM node);
const std::string& CurrentGroupPath();
void SetCurrentGroupPath(const std::string& path);
HTREEITEM CurrentGroupNode();
void SetCurrentGroupNode(HTREEITEM node);
const std::string& StartupGroupName();
bool FirstRun();

bool CreateGroupKey();
bool DeleteKeyTree(const std::string& groupPath);
std::string RenameGroup(HTREEITEM node, const std::string& newName);
void LoadMenuTree();
void LoadGroupItems();
bool SaveGroupItems();
void CopyItemsToGroup(HTREEITEM target, bool move);
void SetStartupGroupName(const std::string& name);

// Shows the group's items as a selection of the node does: the list is
// emptied and refilled (the main window adds sorting and sizing).
void ShowGroup(HTREEITEM node);

// Hooks for the first-run procedure that belong to other windows: the
// main window's root selection and the option forms' defaults.
struct FirstRunHooks {
    void (*selectRoot)() = nullptr;
    void (*setOptionDefaults)(bool isNT) = nullptr;
};
void SetFirstRunHooks(const FirstRunHooks& hooks);

// True when no installation exists yet (the product key has no TrayVisible).
bool IsNewInstallation();

}  // namespace setwise
