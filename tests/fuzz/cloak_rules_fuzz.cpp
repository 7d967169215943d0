// A cloak file is downloaded by users: its section name and file entries
// must never name a place outside the cloak's own directory, whatever they
// hold. Also the "/InstallCloak" argument, which any caller can pass, and
// the record values the chooser exports and deletes files by.
#include <cstdlib>
#include <vector>

#include "cloak_files.h"
#include "cloak_install_rules.h"
#include "fuzz_input.h"

namespace {

// A second, plain model of where a path leads: its root (a drive, or a
// server and share) and its names with "." and ".." walked, lower case.
// Empty when it is not absolute or climbs above its root.
std::vector<std::string> PlaceOf(std::string path) {
    for (char& c : path) {
        if (c == '/') c = '\\';
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    std::vector<std::string> names;
    std::string name;
    for (char c : path + "\\") {
        if (c != '\\') {
            name += c;
            continue;
        }
        names.push_back(name);
        name.clear();
    }
    std::vector<std::string> place;
    std::size_t next = 0;
    if (names.size() >= 2 && names[0].size() == 2 && names[0][1] == ':' && names[0][0] >= 'a' && names[0][0] <= 'z') {
        place.push_back(names[0]);
        next = 1;
    } else if (names.size() >= 4 && names[0].empty() && names[1].empty() && !names[2].empty() && !names[3].empty()) {
        place.push_back(names[2] + "\\" + names[3]);
        next = 4;
    } else {
        return {};
    }
    for (; next < names.size(); ++next) {
        std::string part = names[next];
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (place.size() == 1) return {};
            place.pop_back();
            continue;
        }
        while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
        if (part.empty()) return {};
        place.push_back(part);
    }
    return place;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    holmfuzz::Input in(data, size);
    const std::string name = in.Text();
    const std::string entry = in.Text();
    // What the rules accept is one plain name: nothing that climbs out.
    if (holm::IsSafeCloakName(name) &&
        (name.find_first_of("\\/:") != std::string::npos || name == "." || name == ".."))
        std::abort();
    if (holm::IsSafeFileEntry(entry) && entry.find_first_of("\\/:") != std::string::npos) std::abort();
    holm::StyleNumber(entry);
    const std::string path = holm::CloakFilePath(in.Text());
    holm::DirectoryOf(path);

    holm::Colour colour;
    if (holm::ParseColourText(entry, colour) && (colour.red > 255 || colour.green < 0)) std::abort();
    // Delete removes only a plain file directly in the own directory.
    const std::string own = in.Text();
    if (holm::IsOwnCloakFile(path, own)) {
        std::vector<std::string> file = PlaceOf(path);
        const std::vector<std::string> dir = PlaceOf(own);
        if (dir.empty() || file.size() != dir.size() + 1) std::abort();
        file.pop_back();
        if (file != dir) std::abort();
    }
    // Export copies files only under names that stay in its directory.
    holm::CloakExport cloak;
    cloak.name = name;
    for (std::string& file : cloak.files) file = in.Text();
    for (const std::string& exported : holm::ExportFileNames(cloak))
        if (!holm::IsSafeFileEntry(exported)) std::abort();
    holm::ExportText(cloak, holm::ExportFileNames(cloak));
    return 0;
}
