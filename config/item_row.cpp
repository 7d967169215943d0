#include "item_row.h"

#include <windows.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace setwise {

const char kTypeShortcut[] = "Shortcut";
const char kTypeMonitor[] = "MonitorRegSpecifiedPath";
const char kTypeMyComputer[] = "My Computer";
const char kTypeDesktop[] = "Desktop";
const char kTypeDialUp[] = "Dial-up Networking";
const char kTypeNetwork[] = "Network Neighborhood";
const char kTypeDrive[] = "Show Drive";
const char kRunNormal[] = "Normal";
const char kRunMinimized[] = "Minimized";
const char kRunMaximized[] = "Maximized";
const char kRunHidden[] = "Hidden";
const char kMonitorPrefix[] = "***HOLM Special: MonitorRegSpecifiedPath: ";

const char kDesktopCommand[] = "explorer /root,,";
const char kDialUpCommand[] =
    "explorer /root,,::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\::{992CFFA0-F557-101A-88EC-00DD010CCC48}";
const char kMyComputerCommand[] = "explorer /root,,::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
const char kNetworkCommand[] = "explorer /root,::{208D2C60-3AEA-1069-A2D7-08002B30309D}";

namespace {

constexpr char kDrivePrefix[] = "explorer ";
constexpr size_t kMonitorPrefixLength = sizeof(kMonitorPrefix) - 1;

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// The stored show code read as the menu library reads it: blanks skipped,
// an optional sign, the digits, the low 8 bits.
int StoredShowCode(const std::string& field) {
    return static_cast<int>(static_cast<unsigned>(std::atoi(field.c_str())) & 0xFF);
}

const char* RunStyleOfCode(const std::string& field) {
    switch (StoredShowCode(field)) {
    case 1: return kRunMinimized;
    case 2: return kRunMaximized;
    case 3: return kRunHidden;
    default: return kRunNormal;
    }
}

bool IsDriveCommand(const std::string& command) {
    return command.size() == 12 && command.compare(0, 9, kDrivePrefix) == 0 && command[9] >= 'c' &&
           command[9] <= 'z' && command[10] == ':' && command[11] == '\\';
}

struct NamedKey {
    unsigned vk;
    const char* name;
};

constexpr NamedKey kKeyNames[] = {
    {0x08, "BkSp"}, {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"},  {0x20, "Space"},
    {0x21, "PgUp"}, {0x22, "PgDn"},  {0x23, "End"},   {0x24, "Home"}, {0x25, "Left"},
    {0x26, "Up"},   {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Ins"},  {0x2E, "Del"},
};

bool IsPunctuationKey(unsigned vk) { return (vk >= 0xBA && vk <= 0xC0) || (vk >= 0xDB && vk <= 0xDF) || vk == 0xE2; }

// The character a punctuation key types on this keyboard (';' for the key
// VK_OEM_1 on a US layout), or 0.
char CharacterOfKey(unsigned vk) {
    if (!IsPunctuationKey(vk)) return 0;
    const UINT c = MapVirtualKeyA(vk, 2 /* MAPVK_VK_TO_CHAR */) & 0x7FFF;
    return c > ' ' && c < 0x7F ? static_cast<char>(c) : 0;
}

std::string KeyName(unsigned vk) {
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return std::string(1, static_cast<char>(vk));
    if (const char c = CharacterOfKey(vk)) return std::string(1, c);
    if (vk >= 0x70 && vk <= 0x87) return "F" + std::to_string(vk - 0x6F);
    if (vk >= 0x60 && vk <= 0x69) return "Num " + std::to_string(vk - 0x60);
    for (const NamedKey& k : kKeyNames)
        if (k.vk == vk) return k.name;
    char name[8];
    std::snprintf(name, sizeof(name), "#%u", vk);
    return name;
}

}  // namespace

bool ItemRow::SameColumns(const ItemRow& o) const {
    return name == o.name && type == o.type && target == o.target && startIn == o.startIn &&
           shortcut == o.shortcut && runStyle == o.runStyle;
}

std::string ShortcutText(unsigned vk, bool shift) {
    if (vk == 0) return "";
    return std::string(shift ? "Shift+Ctrl+Alt+" : "Ctrl+Alt+") + KeyName(vk & 0xFF);
}

unsigned ShortcutKey(const std::string& text, bool* shift) {
    // The key's name follows the modifiers and may itself be "+".
    std::string key = text;
    bool shifted = false;
    for (bool more = true; more;) {
        more = false;
        for (const char* modifier : {"Shift+", "Ctrl+", "Alt+"}) {
            const std::string m = modifier;
            if (key.size() > m.size() && key.compare(0, m.size(), m) == 0) {
                shifted = shifted || m == "Shift+";
                key.erase(0, m.size());
                more = true;
            }
        }
    }
    if (shift) *shift = shifted;
    if (key.empty()) return 0;
    for (unsigned vk = 1; vk < 256; ++vk)
        if (KeyName(vk) == key) return vk;
    return 0;
}

std::string HotkeyTextOfField(const std::string& field) {
    if (field.empty()) return "";
    const char c = field[0];
    if (c >= 'a' && c <= 'z') return "Ctrl+Alt+" + std::string(1, static_cast<char>(c - 'a' + 'A'));
    if (c >= 'A' && c <= 'Z') return "Shift+Ctrl+Alt+" + std::string(1, c);
    return "Ctrl+Alt+" + std::string(1, c);
}

std::string HotkeyCharOf(const std::string& shortcutText) {
    if (shortcutText.empty()) return "";
    const unsigned vk = ShortcutKey(shortcutText);
    if (vk == 0) return "";
    // A punctuation key is stored as the character it types, which the
    // menu turns back into the same key.
    const char typed = CharacterOfKey(vk);
    const char c = typed ? typed : static_cast<char>(vk);
    const bool shift = Contains(shortcutText, "Shift");
    return std::string(1, static_cast<char>(shift ? std::toupper(static_cast<unsigned char>(c))
                                                  : std::tolower(static_cast<unsigned char>(c))));
}

ItemRow ParseItemText(const std::string& name, const std::string& text) {
    ItemRow row;
    row.name = name;
    if (Contains(text, "MonitorRegSpecifiedPath")) {
        row.type = kTypeMonitor;
        row.target = text.size() > kMonitorPrefixLength ? text.substr(kMonitorPrefixLength) : "";
        row.image = 1;
        return row;
    }
    std::string fields[4];
    size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        const size_t bar = text.find('|', start);
        if (bar == std::string::npos) {
            fields[i] = text.substr(start);
            start = text.size();
            break;
        }
        fields[i] = text.substr(start, bar - start);
        start = bar + 1;
        if (i == 2) fields[3] = text.substr(start);
    }
    const std::string& command = fields[0];
    row.shortcut = HotkeyTextOfField(fields[3]);
    row.image = 1;
    if (Contains(command, kNetworkCommand)) {
        row.type = kTypeNetwork;
    } else if (Contains(command, kDialUpCommand)) {
        row.type = kTypeDialUp;
    } else if (Contains(command, kMyComputerCommand)) {
        row.type = kTypeMyComputer;
    } else if (Contains(command, kDesktopCommand)) {
        row.type = kTypeDesktop;
    } else if (IsDriveCommand(command)) {
        row.type = kTypeDrive;
        row.target = command.substr(9);
    } else {
        row.type = kTypeShortcut;
        row.target = command;
        row.startIn = fields[1];
        row.runStyle = RunStyleOfCode(fields[2]);
        row.image = 0;
    }
    return row;
}

std::string ShowCodeOf(const std::string& runStyle) {
    if (runStyle == kRunNormal) return "0";
    if (runStyle == kRunMinimized) return "1";
    if (runStyle == kRunMaximized) return "2";
    if (runStyle == kRunHidden) return "3";
    return "";
}

std::optional<std::string> BuildItemText(const ItemRow& row) {
    const std::string k = HotkeyCharOf(row.shortcut);
    const std::string code = ShowCodeOf(row.runStyle);
    if (!code.empty()) return row.target + "|" + row.startIn + "|" + code + "|" + k;
    if (row.type == kTypeMonitor) return kMonitorPrefix + row.target;
    if (row.type == kTypeMyComputer) return std::string(kMyComputerCommand) + "||0|" + k;
    if (row.type == kTypeDesktop) return std::string(kDesktopCommand) + "||0|" + k;
    if (row.type == kTypeDialUp) return std::string(kDialUpCommand) + "||0|" + k;
    if (row.type == kTypeNetwork) return std::string(kNetworkCommand) + "||0|" + k;
    if (row.type == kTypeDrive) return kDrivePrefix + row.target + "||0|" + k;
    return std::nullopt;
}

// Link show commands: SW_SHOWMAXIMIZED and SW_SHOWMINNOACTIVE; every other
// one (SW_SHOWNORMAL and anything unexpected) opens the program normally.
const char* RunStyleOfShowCommand(int showCommand) {
    if (showCommand == 3) return kRunMaximized;
    if (showCommand == 7) return kRunMinimized;
    return kRunNormal;
}

const char* ShowCodeOfShowCommand(int showCommand) {
    if (showCommand == 3) return "2";
    if (showCommand == 7) return "1";
    return "0";
}

}  // namespace setwise
