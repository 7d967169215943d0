#include "control_panel.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "applet_reader.h"
#include "command_ids.h"
#include "file_stamp.h"
#include "holm_names.h"
#include "launch_table.h"
#include "library_state.h"
#include "menu_images.h"
#include "menu_order.h"

namespace holm {

namespace {


// A Control Panel file as the system directory lists it. A file whose size
// and last-write time are unchanged is not asked again.
struct PanelFile {
    std::string name;
    FileStamp stamp;
};

struct CachedFile {
    FileStamp stamp;
    std::vector<Applet> applets;  // none for a file that did not answer
};

// The applets are kept from one build to the next; their images outlive
// the menus that show them. Images of files that changed or went are
// retired, not released, while a menu made before may still show them.
struct ControlPanelState {
    std::map<std::string, CachedFile> files;  // by file name
    bool cloaked = false;                     // the style the images were made for
    bool withImages = false;
    std::vector<CachedFile> retired;          // released when the menus are destroyed
};

ControlPanelState g_cpl;

// A submenu entry of this build.
struct PanelEntry {
    const std::string* label;
    UINT id;
    MenuImageView image;
};

std::vector<PanelFile> ControlPanelFiles() {
    std::vector<PanelFile> files;
    char directory[MAX_PATH] = "";
    GetSystemDirectoryA(directory, MAX_PATH);
    const std::string pattern = std::string(directory) + "\\*.cpl";
    WIN32_FIND_DATAA found = {};
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files.push_back({found.cFileName, StampOf(found)});
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}

void RetireFile(CachedFile&& file) { g_cpl.retired.push_back(std::move(file)); }

// Images made for another style or option are of no use: everything is read again.
void MatchImageStyle() {
    const bool cloaked = g_lib.Cloaked(), withImages = g_lib.options.showCplIcons != 0;
    if (cloaked == g_cpl.cloaked && withImages == g_cpl.withImages) return;
    for (auto& file : g_cpl.files) RetireFile(std::move(file.second));
    g_cpl.files.clear();
    g_cpl.cloaked = cloaked;
    g_cpl.withImages = withImages;
}

const CachedFile& CurrentApplets(const PanelFile& file) {
    auto found = g_cpl.files.find(file.name);
    if (found != g_cpl.files.end() && found->second.stamp.SameAs(file.stamp)) return found->second;
    if (found != g_cpl.files.end()) {
        RetireFile(std::move(found->second));
        g_cpl.files.erase(found);
    }
    CachedFile read = {file.stamp, ReadAppletFile(file.name)};
    return g_cpl.files[file.name] = std::move(read);
}

void ForgetFilesNotIn(const std::vector<PanelFile>& present) {
    for (auto it = g_cpl.files.begin(); it != g_cpl.files.end();) {
        bool there = false;
        for (const PanelFile& file : present) there = there || file.name == it->first;
        if (there) {
            ++it;
            continue;
        }
        RetireFile(std::move(it->second));
        it = g_cpl.files.erase(it);
    }
}

UINT AppendPanelLaunch(const char* command) {
    const UINT id = static_cast<UINT>(LaunchCommandId(LaunchEntryCount()));
    AppendLaunchEntry(command, nullptr, 0, kNoHotkey);
    return id;
}

void AddWindows95Entries(std::vector<PanelEntry>& entries) {
    static const std::string labels[] = {"System", "Network", "Modems"};
    const char* commands[] = {"control sysdm.cpl", "control netcpl.cpl", "control modem.cpl"};
    for (int i = 0; i < 3; ++i) entries.push_back({&labels[i], AppendPanelLaunch(commands[i]), MenuImageView()});
}

void AppendSorted(HMENU submenu, const std::vector<PanelEntry>& entries) {
    std::vector<std::string> labels;
    labels.reserve(entries.size());
    for (const PanelEntry& e : entries) labels.push_back(*e.label);
    for (std::size_t i : MenuOrder(labels)) {
        AppendMenuA(submenu, MF_STRING, entries[i].id, entries[i].label->c_str());
        AttachImage(submenu, entries[i].id, entries[i].image);
    }
}

}  // namespace

void FillControlPanel(HMENU submenu) {
    MatchImageStyle();
    const std::vector<PanelFile> files = ControlPanelFiles();
    ForgetFilesNotIn(files);
    std::vector<PanelEntry> entries;
    for (const PanelFile& file : files) {
        for (const Applet& applet : CurrentApplets(file).applets)
            entries.push_back({&applet.label, AppendPanelLaunch(applet.command.c_str()), applet.image.View()});
    }
    if (g_lib.platform == VER_PLATFORM_WIN32_WINDOWS) AddWindows95Entries(entries);
    AppendSorted(submenu, entries);
}

void ReleaseControlPanelImages() { g_cpl.retired.clear(); }

}  // namespace holm
