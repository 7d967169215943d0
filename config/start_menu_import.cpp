#include "start_menu_import.h"

#include <windows.h>

#include <algorithm>

#include "RegUnit.h"
#include "group_keys.h"
#include "item_row.h"
#include "shortcut_reader.h"
#include "view_rows.h"
#include "registry.h"
#include "store_limits.h"
#include "win_handles.h"
#include "window_util.h"

namespace setwise {

namespace {

constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kMapGroups[] = "Software\\Microsoft\\Windows\\CurrentVersion\\GrpConv\\MapGroups";

std::string g_startupFolderPath;
ImportProgress g_progress;

std::string ReadFolderValue(HKEY root, const char* path, const char* name) {
    holm::UniqueKey key = holm::OpenKey(root, path, KEY_QUERY_VALUE);
    if (!key) return "";
    char text[MAX_PATH + 1] = "";
    DWORD size = MAX_PATH, type = 0;
    if (RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS)
        return "";
    if (type != REG_SZ && type != REG_EXPAND_SZ) return "";
    text[std::min<DWORD>(size, MAX_PATH)] = '\0';
    return text;
}

void Show(const std::string& text) {
    if (g_progress.showing) g_progress.showing(text);
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void Collect(const std::string& folder, std::vector<std::string>& out) {
    WIN32_FIND_DATAA found;
    const DWORD skip = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    HANDLE search = FindFirstFileA((folder + "\\*.lnk").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (found.dwFileAttributes & (skip | FILE_ATTRIBUTE_DIRECTORY)) continue;
            out.push_back(folder + "\\" + found.cFileName);
            Show(out.back());
            PumpMessages();
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    std::vector<std::string> folders;
    do {
        // Linked folders are not followed: they could lead back up the tree.
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            (found.dwFileAttributes & (skip | FILE_ATTRIBUTE_REPARSE_POINT)))
            continue;
        if (found.cFileName[0] == '.') continue;
        folders.push_back(folder + "\\" + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    for (const std::string& sub : folders) Collect(sub, out);
}

std::vector<std::string> SplitFolders(const std::string& relativeFolder) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t slash; (slash = relativeFolder.find('\\', start)) != std::string::npos; start = slash + 1)
        if (slash > start) parts.push_back(relativeFolder.substr(start, slash - start));
    return parts;
}

// The group node for the folder part of a shortcut, created as needed.
HTREEITEM GroupNodeFor(HTREEITEM node, const std::string& relativeFolder, const std::string& fileFolder) {
    HWND tree = TreeView();
    for (const std::string& part : SplitFolders(relativeFolder)) {
        if (HTREEITEM child = FindChildNode(tree, node, part)) {
            node = child;
            continue;
        }
        const bool startup = !g_startupFolderPath.empty() && fileFolder == g_startupFolderPath + "\\";
        node = AddChildNode(tree, node, part, startup ? kImageStartup : kImageGroup,
                            startup ? kImageStartup : kImageGroupSelected);
        if (startup) SetStartupGroupName(part);
        CreateGroupKey(GroupPathOf(node));
    }
    return node;
}

// The window that holds the tree takes no input while the import pumps
// messages: the user cannot add, delete or rename a group under it.
class WindowHeldStill {
public:
    explicit WindowHeldStill(HWND window) : window_(window), wasEnabled_(window && IsWindowEnabled(window)) {
        if (wasEnabled_) EnableWindow(window_, FALSE);
    }
    WindowHeldStill(const WindowHeldStill&) = delete;
    WindowHeldStill& operator=(const WindowHeldStill&) = delete;
    ~WindowHeldStill() {
        if (wasEnabled_) EnableWindow(window_, TRUE);
    }

private:
    HWND window_;
    bool wasEnabled_;
};

void Refuse(const std::string& file, const std::string& why) {
    if (g_progress.skipped) g_progress.skipped(file, why);
}

// Why the item cannot be written as the menu would read it back, or empty.
std::string ItemProblem(const std::string& name, const std::string& target, const std::string& directory,
                        const std::string& text) {
    holm::StoreFault fault = holm::CheckItemField(target);
    if (fault == holm::StoreFault::None) fault = holm::CheckItemField(directory);
    if (fault == holm::StoreFault::None) fault = holm::CheckStoredItem(name, text);
    return holm::StoreFaultText(fault, name);
}

}  // namespace

void SetImportProgress(const ImportProgress& progress) { g_progress = progress; }

std::string StartMenuFolder(bool common) {
    const HKEY root = common ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    g_startupFolderPath = ReadFolderValue(root, kShellFolders, common ? "Common Startup" : "Startup");
    return ReadFolderValue(root, kShellFolders, common ? "Common Start Menu" : "Start Menu");
}

std::string QuickLaunchFolder() {
    g_startupFolderPath.clear();
    const std::string value = ReadFolderValue(HKEY_CURRENT_USER, kMapGroups, "Quick Launch");
    const size_t cut = value.find("\\Quick Launch");
    return cut == std::string::npos ? value : value.substr(0, cut);
}

std::vector<std::string> CollectShortcuts(const std::string& folder) {
    std::vector<std::string> paths;
    Collect(folder, paths);
    std::stable_sort(paths.begin(), paths.end(),
                     [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
    return paths;
}

int ImportFolder(HTREEITEM target, const std::string& folder) {
    if (folder.empty() || !target) return 0;
    WindowHeldStill hold(holm::TopLevelWindow(TreeView()));
    int written = 0;
    for (const std::string& p : CollectShortcuts(folder)) {
        if (p.size() <= folder.size() + 1) continue;
        const std::string r = p.substr(folder.size() + 1);
        HTREEITEM node = GroupNodeFor(target, FolderOf(r), FolderOf(p));
        if (GetFileAttributesA(p.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
        const std::optional<Shortcut> link = ReadShortcut(p);
        if (!link) {
            Refuse(p, "The shortcut cannot be read.");
            continue;
        }
        const std::string name = link->description.empty() ? WithoutExtension(FileNameOf(r)) : link->description;
        const std::string command = TargetWithArguments(*link);
        const std::string text =
            command + "|" + link->workingDirectory + "|" + ShowCodeOfShowCommand(link->showCommand) + "|";
        const std::string problem = ItemProblem(name, command, link->workingDirectory, text);
        if (!problem.empty()) {
            Refuse(p, problem);
            continue;
        }
        if (WriteGroupValue(GroupPathOf(node), name, text)) ++written;
        Show(name);
    }
    return written;
}

}  // namespace setwise
