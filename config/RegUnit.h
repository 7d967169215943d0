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
// The group path of a node ("Init Menu\A\B"); empty for a node not in the tree.
std::string GroupPathOf(HTREEITEM node);
HTREEITEM CurrentGroupNode();
void SetCurrentGroupNode(HTREEITEM node);
const std::string& StartupGroupName();
bool FirstRun();

// Creates (or opens) the group's key; says so when it cannot.
bool CreateGroupKey(const std::string& groupPath);
bool DeleteKeyTree(const std::string& groupPath);
// Renames (or merges) the group's key; returns the name the node keeps. A
// name that cannot be one key is refused with a message.
std::string RenameGroup(HTREEITEM node, const std::string& newName);
void LoadMenuTree();
void LoadGroupItems(const std::string& groupPath);
bool SaveGroupItems();
// Writes the selected rows into the target group; a move then takes from
// the list (and the current group) the rows that were written.
void CopyItemsToGroup(HTREEITEM target, bool move);
void SetStartupGroupName(const std::string& name);
struct ItemRow;
// Why the row cannot be stored so that the menu reads it back (too long, a
// "|" in its target or start folder), or empty.
std::string StoreProblemOf(const ItemRow& row);

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
