#include "program_icons.h"

#include <map>
#include <utility>
#include <vector>

#include "file_stamp.h"
#include "item_text.h"
#include "library_state.h"

namespace holm {

namespace {

struct KeptImage {
    FileStamp stamp;
    MenuImage image;
    unsigned build = 0;  // the last build that showed it
};

// Which executable starts a program is asked once per build; the images
// are kept across builds while their files stay unchanged and some build
// shows them. An image that is replaced is retired until the menus that
// may show it are gone.
struct ProgramIconCache {
    std::map<std::string, std::string> executableOf;  // program + '\n' + directory, this build
    std::map<std::string, KeptImage> imageOf;         // by executable path
    std::vector<MenuImage> retired;
    unsigned build = 1;
    bool cloaked = false;  // the style the images were made for
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

void MatchImageStyle() {
    if (g_lib.Cloaked() == g_icons.cloaked) return;
    for (auto& kept : g_icons.imageOf) g_icons.retired.push_back(std::move(kept.second.image));
    g_icons.imageOf.clear();
    g_icons.cloaked = g_lib.Cloaked();
}

const MenuImage& ImageOfExecutable(const std::string& executable) {
    auto found = g_icons.imageOf.find(executable);
    if (found != g_icons.imageOf.end() && found->second.build == g_icons.build) return found->second.image;
    const FileStamp stamp = StampOfFile(executable);
    if (found != g_icons.imageOf.end() && found->second.stamp.SameAs(stamp)) {
        found->second.build = g_icons.build;
        return found->second.image;
    }
    if (found != g_icons.imageOf.end()) g_icons.retired.push_back(std::move(found->second.image));
    KeptImage& kept = g_icons.imageOf[executable];
    kept = {stamp, ImageFromIcon(UniqueIcon(AssociatedIcon(executable))), g_icons.build};
    return kept.image;
}

}  // namespace

MenuImageView ProgramImageFor(const std::string& command, const std::string& directory) {
    MatchImageStyle();
    const std::string program = ProgramOfCommand(command);
    if (program.empty()) return MenuImageView();
    const std::string executable = FindExecutableFor(program, directory);
    if (executable.empty()) return MenuImageView();
    return ImageOfExecutable(executable).View();
}

void ReleaseUnshownProgramImages() {
    g_icons.retired.clear();
    for (auto it = g_icons.imageOf.begin(); it != g_icons.imageOf.end();) {
        if (it->second.build == g_icons.build)
            ++it;
        else
            it = g_icons.imageOf.erase(it);
    }
    g_icons.executableOf.clear();
    ++g_icons.build;
}

}  // namespace holm
