// The text of an Init Menu item as stored in the registry:
//   command|directory|show code|hotkey
// or a folder monitor beginning "***HOLM Special: ". Pure logic.
#pragma once
#include <string>

namespace holm {

enum class ItemKind { Program, MonitorPath, MonitorRegistryPath };

struct ItemText {
    ItemKind kind = ItemKind::Program;
    std::string command;
    std::string directory;
    int showCode = 0;      // the stored code, reduced to its low 8 bits
    char hotkey = '\0';    // '\0': no hotkey
    std::string path;      // MonitorPath: the folder
    std::string registryKey;    // MonitorRegistryPath: key under HKCU ("" for HKCU itself)
    std::string registryValue;  // MonitorRegistryPath: value name
};

ItemText ParseItemText(const std::string& text);

// The ShowWindow code for a stored show code: 0 normal, 1 minimized,
// 2 maximized, 3 hidden, anything else normal.
int ShowCommandForCode(int showCode);

// The program file named by a command: up to the first blank, or the text
// between a leading double quote and the next one.
std::string ProgramOfCommand(const std::string& command);

}  // namespace holm
