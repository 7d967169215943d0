#include "RegUnit.h"

#include <windows.h>

#include <string>

namespace setwise {

namespace {

constexpr char kProductKey[] = "Software\\Tarvel\\Holm";
constexpr char kInitMenuKey[] = "Software\\Tarvel\\Holm\\Init Menu";

class Key {
public:
    explicit Key(const char* path) {
        RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    ~Key() { if (key_) RegCloseKey(key_); }
    bool Has(const char* name) const {
        return key_ && RegQueryValueExA(key_, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    }
    void SetText(const char* name, const std::string& value) const {
        if (key_)
            RegSetValueExA(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>(value.size() + 1));
    }
    void SetNumber(const char* name, DWORD value) const {
        if (key_) RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    }

private:
    HKEY key_ = nullptr;
};

bool IsNT() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExA(&version);
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

}  // namespace

bool IsNewInstallation() { return !Key(kProductKey).Has("TrayVisible"); }

void CreateDefaultMenu() {
    Key(kProductKey).SetText("StartupGroupName", "");
    const Key menu(kInitMenuKey);
    menu.SetText("Desktop", "explorer /root,,||0|");
    menu.SetText("Dial-up Networking",
                 "explorer /root,,::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\::{992CFFA0-F557-101A-88EC-00DD010CCC48}||0|");
    menu.SetText("My Computer", "explorer /root,,::{20D04FE0-3AEA-1069-A2D8-08002B30309D}||0|");
    menu.SetText("Network Neighborhood", "explorer /root,::{208D2C60-3AEA-1069-A2D7-08002B30309D}||0|");
}

void StoreDefaultOptionsIfMissing() {
    const Key product(kProductKey);
    if (product.Has("LCancelStr")) return;
    product.SetText("LCancelStr", "%d, %t");
    product.SetText("RCancelStr", "%u on \\\\%c");
    product.SetNumber("ShowNoTitleWindows", 0);
    product.SetNumber("ShowWindowIcons", 1);
    product.SetNumber("ShowCplIcons", 1);
    product.SetNumber("ShowProgIcons", 1);
    product.SetNumber("MaxWinTitleLen", 255);
    product.SetNumber("ShowHotkeysInLpum", 0);
    product.SetNumber("RunStartupGroupByDefault", 0);
    product.SetNumber("ReverseRightAndLeftButtons", 0);
    product.SetNumber("UseCustomMenus", 1);
    product.SetNumber("MiddleButtonAsDblClick", IsNT() ? 1 : 0);
    product.SetNumber("TrayVisible", 1);
}

}  // namespace setwise
