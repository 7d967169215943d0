// The system's open and save dialogs, as the configuration program's forms
// ask them.
#pragma once
#include <windows.h>

#include <string>

namespace setwise {

struct FileDialog {
    HWND owner = nullptr;
    const char* title = nullptr;           // null: the system's own
    const char* filter = nullptr;          // pairs of texts, ending in an empty one
    DWORD filterIndex = 0;
    const char* defaultExtension = nullptr;
    const char* initialFolder = nullptr;   // null or empty: the system's choice
    DWORD flags = OFN_HIDEREADONLY;
};

// The file the user chose, or empty when the dialog was cancelled. `preset`
// fills the file name field.
std::string AskOpenFile(const FileDialog& dialog, const std::string& preset = "");
std::string AskSaveFile(const FileDialog& dialog, const std::string& preset = "");

}  // namespace setwise
