// Reading a shortcut file (.lnk) through the system's shell link object.
#pragma once
#include <optional>
#include <string>

namespace setwise {

struct Shortcut {
    std::string description;
    std::string path;
    std::string arguments;
    std::string workingDirectory;
    std::string iconLocation;
    int showCommand = 1;
    unsigned short hotkey = 0;  // low byte virtual key, high byte HOTKEYF_ flags
};

// The shortcut's fields, or nothing when the file cannot be loaded or names
// no program. COM must be initialised on the calling thread.
std::optional<Shortcut> ReadShortcut(const std::string& file);

// The target written for an imported shortcut: the path, in double quotes
// when it holds a blank, then a blank and the arguments.
std::string TargetWithArguments(const Shortcut& link);
std::string QuotedWhenBlank(const std::string& path);

// File name parts of a path.
std::string FileNameOf(const std::string& path);          // after the last backslash
std::string FolderOf(const std::string& path);            // up to and with the last backslash
std::string ExtensionOf(const std::string& name);         // after the last ".", empty without one
std::string WithoutExtension(const std::string& name);    // up to the last "."

}  // namespace setwise
