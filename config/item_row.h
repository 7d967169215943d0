// One row of the item list and its stored text: the kinds of Init Menu
// items, their column texts and the hotkey character (a punctuation key's
// character comes from the keyboard layout).
#pragma once
#include <optional>
#include <string>

namespace setwise {

// The texts of the list's columns "Name" to "Run Style" and the row image.
struct ItemRow {
    std::string name;
    std::string type;
    std::string target;
    std::string startIn;
    std::string shortcut;
    std::string runStyle;
    int image = 0;  // 0 application shortcut, 1 special item

    bool SameColumns(const ItemRow& other) const;
};

extern const char kTypeShortcut[];
extern const char kTypeMonitor[];
extern const char kTypeMyComputer[];
extern const char kTypeDesktop[];
extern const char kTypeDialUp[];
extern const char kTypeNetwork[];
extern const char kTypeDrive[];
extern const char kRunNormal[];
extern const char kRunMinimized[];
extern const char kRunMaximized[];
extern const char kRunHidden[];
extern const char kMonitorPrefix[];  // the 42 characters before the registry path

// The item texts of the four fixed special items, without hotkey character.
extern const char kDesktopCommand[];
extern const char kDialUpCommand[];
extern const char kMyComputerCommand[];
extern const char kNetworkCommand[];

// The row shown for a stored value.
ItemRow ParseItemText(const std::string& name, const std::string& text);

// The stored text for a row, or nothing when the row matches no kind.
std::optional<std::string> BuildItemText(const ItemRow& row);

// "Ctrl+Alt+X" or "Shift+Ctrl+Alt+X" for a virtual key; empty for key 0.
std::string ShortcutText(unsigned vk, bool shift);
// The virtual key that a shortcut text names (0 when none) and its Shift.
unsigned ShortcutKey(const std::string& text, bool* shift = nullptr);
// The hotkey text for a stored hotkey field.
std::string HotkeyTextOfField(const std::string& field);
// The hotkey character written for a shortcut text; empty for none.
std::string HotkeyCharOf(const std::string& shortcutText);

// The show code written for a Run Style, or empty when it names none.
std::string ShowCodeOf(const std::string& runStyle);
// The Run Style for a link's show command (1, 3, 7; others are Normal).
const char* RunStyleOfShowCommand(int showCommand);
// The show code for a link's show command.
const char* ShowCodeOfShowCommand(int showCommand);

}  // namespace setwise
