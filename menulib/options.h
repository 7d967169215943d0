// The options that the menu library reads from the registry.
#pragma once
#include <windows.h>

#include <string>

namespace holm {

struct Options {
    std::string startupGroupName;
    DWORD showWindowIcons = 1;
    DWORD showCplIcons = 1;
    DWORD showProgIcons = 1;
    DWORD maxWinTitleLen = 255;
    DWORD showHotkeysInLpum = 0;
    DWORD runStartupGroupByDefault = 0;
    DWORD reverseButtons = 0;
    DWORD useCustomMenus = 1;
    DWORD showNoTitleWindows = 0;

    // Characters to ask GetWindowText for: MaxWinTitleLen + 1 (0 counts as
    // 1), never more than 256.
    int TitleReadLength() const;
};

// Reads the options read at start-up from an open options key (a null key
// leaves every default). When the menu check-mark size is out of range the
// three image options are switched off and not read.
void ReadStartupOptions(HKEY key, Options& options, int checkWidth, int checkHeight);

}  // namespace holm
