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

MenuImageView ProgramImageFor(const std::string& command, const std::string& directory) {
    const std::string program = ProgramOfCommand(command);
    if (program.empty()) return MenuImageView();
    const std::string executable = FindExecutableFor(program, directory);
    if (executable.empty()) return MenuImageView();
    auto found = g_icons.imageOf.find(executable);
    if (found == g_icons.imageOf.end())
        found = g_icons.imageOf.emplace(executable, ImageFromIcon(UniqueIcon(AssociatedIcon(executable)))).first;
    return found->second.View();
}

void ReleaseProgramImages() { g_icons = ProgramIconCache(); }

}  // namespace holm
