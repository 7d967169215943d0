#include "file_dialog.h"

#include <commdlg.h>

namespace setwise {

namespace {

std::string Ask(const FileDialog& dialog, const std::string& preset, BOOL(WINAPI* show)(OPENFILENAMEA*)) {
    char file[MAX_PATH] = "";
    lstrcpynA(file, preset.c_str(), MAX_PATH);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = dialog.owner;
    ofn.lpstrFilter = dialog.filter;
    ofn.nFilterIndex = dialog.filterIndex;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = dialog.title;
    ofn.lpstrDefExt = dialog.defaultExtension;
    ofn.lpstrInitialDir = dialog.initialFolder && *dialog.initialFolder ? dialog.initialFolder : nullptr;
    // The current folder stays where it was: programs are never looked for in a folder the user browsed to.
    ofn.Flags = dialog.flags | OFN_NOCHANGEDIR;
    return show(&ofn) ? std::string(file) : std::string();
}

}  // namespace

std::string AskOpenFile(const FileDialog& dialog, const std::string& preset) {
    return Ask(dialog, preset, GetOpenFileNameA);
}

std::string AskSaveFile(const FileDialog& dialog, const std::string& preset) {
    return Ask(dialog, preset, GetSaveFileNameA);
}

}  // namespace setwise
