// Reading the shell's popup menus (plain and cloaked) on screen through the
// menu spies, and driving them with real input.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "shell_process.h"

namespace holmtest {

struct MenuEntry {
    int depth = 0;
    UINT id = 0;
    std::string flags;  // S separator, G grayed, P popup, C checked, B has a bitmap
    std::string text;
    bool Has(char flag) const { return flags.find(flag) != std::string::npos; }
};

struct MenuSnapshot {
    bool open = false;
    RECT rect = {};
    // Cloaked menus (windows of class HolmMenu): the open level windows,
    // root first, and the pointer shown and the menu class cursor ("arrow",
    // "hide", "close", "kill", "other").
    bool cloaked = false;
    std::vector<RECT> levels;
    std::string cursor, classCursor;
    std::vector<MenuEntry> entries;
    // Texts of the entries at `depth` (0: the root), separators as "-".
    std::vector<std::string> Texts(int depth = 0) const;
    // Entries of the submenu labelled `label` at depth 0.
    std::vector<MenuEntry> Submenu(const std::string& label) const;
    const MenuEntry* Find(const std::string& text) const;
};

// Waits for a popup menu of the process (plain or cloaked) to be on screen
// and reads it.
MenuSnapshot WaitForMenu(const ShellProcess& shell, int timeoutMs = 5000);
// Clicks at (x, y) until a menu opens: a shell still busy (starting a
// program, reloading) does not take a click. Never clicks twice within the
// double-click time.
MenuSnapshot ClickForMenu(const ShellProcess& shell, int x, int y, bool right = false, int attempts = 6);
// Removes the shell's mouse hook from inside the shell, as if the system had
// dropped it.
bool DropMouseHook(const ShellProcess& shell);
bool MenuOpen(DWORD pid);
// Presses Escape until no menu of the process is on screen.
bool DismissMenus(DWORD pid, int timeoutMs = 3000);

// "L T R B" as the spies write a rectangle.
RECT ParseRect(const std::string& text);

// The texts of `entries`, separators as "-".
std::vector<std::string> TextsOf(const std::vector<MenuEntry>& entries);

// The entries directly under the entry that `path` names by its labels from
// the root (an empty path: the root itself), in menu order.
std::vector<MenuEntry> MenuLevel(const MenuSnapshot& menu, const std::vector<std::string>& path);

// Selects the entry that `path` names in the open menu with the arrow keys,
// opening the submenus on the way (separators are skipped by the menu, so
// they are not counted). Returns false when `menu` has no such entry. Enter
// (or Escape) is left to the caller.
bool SelectMenuEntry(const MenuSnapshot& menu, const std::vector<std::string>& path);

// Where the entry with this text lies on screen (first match over the open
// menus of the shell); false when no open menu shows it.
bool MenuEntryRect(const ShellProcess& shell, const std::string& text, RECT* rect);
// Clicks the middle of that entry with the left button.
bool ClickMenuEntry(const ShellProcess& shell, const std::string& text);

}  // namespace holmtest
