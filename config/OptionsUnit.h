// Tholmform: the options window. Its state lives as long as the program:
// FillForm loads what is stored, and a value that is absent leaves the
// control as it was last left.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace setwise {

// The check boxes, in the order SaveForm writes them.
enum OptionCheck {
    kMiddleButtonAsDblClick, kShowCplIcons, kShowNoTitleWindows, kShowWindowIcons, kTrayOnTop, kTrayAutoSize,
    kTraySnapToEdge, kShowHotkeysInLpum, kTrayVisible, kShowProgIcons, kRunStartupGroupByDefault,
    kForceDesktopDLL, kHideMinimized, kTrayVertical, kUseCustomMenus, kReverseRightAndLeftButtons,
    kOptionCheckCount
};

struct OptionsFormState {
    std::string initMenuTitle = "%d, %t";
    std::string windowListTitle = "%u on \\\\%c";
    int maxTitleLength = 255;
    bool checked[kOptionCheckCount] = {};
    bool enabled[kOptionCheckCount] = {};
    std::string cloakDir;
    std::vector<std::string> hiddenTitles;
    int menuShowDelay = 0;
    OptionsFormState();
};

OptionsFormState& OptionsForm();
// The registry value a check box stands for.
const char* OptionValueName(OptionCheck check);

// Loads the form from the options key `keyPath` (below HKEY_CURRENT_USER),
// the hidden titles and the platform's menu show delay.
void OptionsFillForm(const std::string& keyPath);
// Stores the form; false when a write failed (the rest is then not written).
bool OptionsSaveForm();
// The first run's settings.
void SetOptionDefaults(bool isNT);

// Shows the window modally at (x, y), filled from the registry first;
// opened from the menu on Windows 95, the middle-button option is disabled first.
void ShowOptionsForm(HWND owner, int x, int y, bool fromMenu);
// Where the window stood when it was last shown (or will first stand).
POINT OptionsFormPosition(HWND mainForm);

// Registers the ".hc" file type whose Install verb runs the shell program
// with /installcloak; with a message to `owner` when `owner` is given.
bool RegisterCloakFileType(HWND owner);

}  // namespace setwise
