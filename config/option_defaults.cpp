#include "option_defaults.h"

#include <windows.h>

#include "RegUnit.h"
#include "group_keys.h"

namespace setwise {

void StoreDefaultOptionsIfMissing() {
    if (ProductHasValue("LCancelStr")) return;
    WriteProductText("LCancelStr", "%d, %t");
    WriteProductText("RCancelStr", "%u on \\\\%c");
    WriteProductNumber("ShowNoTitleWindows", 0);
    WriteProductNumber("ShowWindowIcons", 1);
    WriteProductNumber("ShowCplIcons", 1);
    WriteProductNumber("ShowProgIcons", 1);
    WriteProductNumber("MaxWinTitleLen", 255);
    WriteProductNumber("ShowHotkeysInLpum", 0);
    WriteProductNumber("RunStartupGroupByDefault", 0);
    WriteProductNumber("ReverseRightAndLeftButtons", 0);
    WriteProductNumber("UseCustomMenus", 1);
    WriteProductNumber("MiddleButtonAsDblClick", IsNT() ? 1 : 0);
    WriteProductNumber("TrayVisible", 1);
}

}  // namespace setwise
