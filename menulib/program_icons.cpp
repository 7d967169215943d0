#include "program_icons.h"

#include <map>

#include "item_text.h"
#include "library_state.h"

namespace holm {

namespace {

struct ProgramIconCache {
    std::map<std::string, std::string> executableOf;  // program + '\n' + directory
    std::map<std::string, MenuImage> imageOf;         // executable path
};

ProgramIconCache g_icons;

std::string FindExecutableFor(const std::string& program, const std::string& directory) {
    const std::string key = program + '\n' + directory;
    auto found = g_icons.executableOf.find(key);
    if (found != g_icons.executableOf.end()) return found->second;
    const std::string path = FindProgramExecutable(program, directory);
    g_icons.executableOf.emplace(key, path);
    return path;
}

}  // namespace

MenuImage ProgramImageFor(const std::string& command, const std::string& directory) {
    const std::string program = ProgramOfCommand(command);
    if (program.empty()) return MenuImage();
    const std::string executable = FindExecutableFor(program, directory);
    if (executable.empty()) return MenuImage();
    auto found = g_icons.imageOf.find(executable);
    if (found != g_icons.imageOf.end()) return found->second;
    const MenuImage image = ImageFromIcon(AssociatedIcon(executable));
    g_icons.imageOf.emplace(executable, image);
    return image;
}

void ReleaseProgramImages() {
    for (auto& entry : g_icons.imageOf) ReleaseMenuImage(entry.second);
    g_icons = ProgramIconCache();
}

}  // namespace holm
