// Asking one Control Panel file for its applets: loads it, sends the
// applet messages and frees it again.
#pragma once
#include <string>
#include <vector>

#include "menu_images.h"

namespace holm {

// What the Control Panel submenu shows and starts for one applet.
struct Applet {
    std::string label;    // as the menu shows it
    std::string command;  // "control <file> <applet name>"
    MenuImage image;      // owns a copy: the file's module is freed at once
};

// The applets of the Control Panel file `file` (a bare file name found in
// the system directory), in the file's order; none when it cannot be loaded
// or does not answer.
std::vector<Applet> ReadAppletFile(const std::string& file);

}  // namespace holm
