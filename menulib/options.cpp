#include "options.h"

#include "holm_values.h"
#include "registry.h"

namespace holm {

int Options::TitleReadLength() const {
    const DWORD shown = maxWinTitleLen == 0 ? 1 : maxWinTitleLen;
    return shown >= 255 ? 256 : static_cast<int>(shown) + 1;
}

static bool CheckSizeUsable(int size) { return size >= 2 && size <= 149; }

void ReadStartupOptions(HKEY key, Options& options, int checkWidth, int checkHeight) {
    ReadText(key, values::kStartupGroupName, options.startupGroupName, 256);
    if (CheckSizeUsable(checkWidth) && CheckSizeUsable(checkHeight)) {
        ReadNumber(key, values::kShowWindowIcons, options.showWindowIcons);
        ReadNumber(key, values::kShowCplIcons, options.showCplIcons);
        ReadNumber(key, values::kShowProgIcons, options.showProgIcons);
    } else {
        options.showWindowIcons = options.showCplIcons = options.showProgIcons = 0;
    }
    ReadNumber(key, values::kMaxWinTitleLen, options.maxWinTitleLen);
    ReadNumber(key, values::kShowHotkeysInLpum, options.showHotkeysInLpum);
    ReadNumber(key, values::kRunStartupGroupByDefault, options.runStartupGroupByDefault);
    ReadNumber(key, values::kReverseButtons, options.reverseButtons);
    ReadNumber(key, values::kUseCustomMenus, options.useCustomMenus);
}

}  // namespace holm
