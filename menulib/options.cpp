#include "options.h"

#include "registry.h"

namespace holm {

int Options::TitleReadLength() const {
    const DWORD shown = maxWinTitleLen == 0 ? 1 : maxWinTitleLen;
    return shown >= 255 ? 256 : static_cast<int>(shown) + 1;
}

static bool CheckSizeUsable(int size) { return size >= 2 && size <= 149; }

void ReadStartupOptions(HKEY key, Options& options, int checkWidth, int checkHeight) {
    ReadText(key, "StartupGroupName", options.startupGroupName, 256);
    if (CheckSizeUsable(checkWidth) && CheckSizeUsable(checkHeight)) {
        ReadNumber(key, "ShowWindowIcons", options.showWindowIcons);
        ReadNumber(key, "ShowCplIcons", options.showCplIcons);
        ReadNumber(key, "ShowProgIcons", options.showProgIcons);
    } else {
        options.showWindowIcons = options.showCplIcons = options.showProgIcons = 0;
    }
    ReadNumber(key, "MaxWinTitleLen", options.maxWinTitleLen);
    ReadNumber(key, "ShowHotkeysInLpum", options.showHotkeysInLpum);
    ReadNumber(key, "RunStartupGroupByDefault", options.runStartupGroupByDefault);
    ReadNumber(key, "ReverseRightAndLeftButtons", options.reverseButtons);
    ReadNumber(key, "UseCustomMenus", options.useCustomMenus);
}

}  // namespace holm
