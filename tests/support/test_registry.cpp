#include "test_registry.h"

#include <shlwapi.h>

namespace holmtest {

namespace {

constexpr char kProductKey[] = "Software\\Tarvel";
constexpr char kCloaksKey[] = "Software\\Tarvel\\Holm\\Cloaks\\";
constexpr char kShellAppDefaults[] = "Software\\Wine\\AppDefaults\\holm.exe";

HKEY OpenCreated(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return key;
}

// Reads a value of any type into `data`; false when it is not there.
bool ReadUserValue(const std::string& path, const char* name, DWORD* type, void* data, DWORD* size) {
    return RegGetValueA(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, type, data, size) ==
           ERROR_SUCCESS;
}

}  // namespace

bool CreateUserKey(const std::string& path) {
    HKEY key = OpenCreated(HKEY_CURRENT_USER, path);
    if (key) RegCloseKey(key);
    return key != nullptr;
}

void DeleteUserTree(const std::string& path) {
    SHDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
}

void WriteValue(HKEY root, const std::string& path, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = OpenCreated(root, path);
    if (!key) return;
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void WriteUserValue(const std::string& path, const char* name, DWORD type, const void* data, DWORD size) {
    WriteValue(HKEY_CURRENT_USER, path, name, type, data, size);
}

void WriteUserDword(const std::string& path, const char* name, DWORD value) {
    WriteUserValue(path, name, REG_DWORD, &value, sizeof(value));
}

void WriteUserString(const std::string& path, const char* name, const std::string& value) {
    WriteUserValue(path, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

bool ReadUserString(const std::string& path, const char* name, std::string* text) {
    char data[2048] = "";
    DWORD size = sizeof(data) - 1, type = 0;
    if (!ReadUserValue(path, name, &type, data, &size) || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
    data[size < sizeof(data) ? size : sizeof(data) - 1] = '\0';
    *text = data;
    return true;
}

bool ReadUserDword(const std::string& path, const char* name, DWORD* value) {
    DWORD size = sizeof(*value), type = 0;
    return ReadUserValue(path, name, &type, value, &size) && type == REG_DWORD;
}

bool UserKeyExists(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

void ResetHolmRegistry() { DeleteUserTree(kProductKey); }

void WriteOption(const char* name, DWORD value) { WriteUserDword(holm::kOptionsKey, name, value); }

void WriteOption(const char* name, const std::string& value) { WriteUserString(holm::kOptionsKey, name, value); }

DWORD ReadOption(const char* name, DWORD fallback) {
    DWORD value = fallback;
    return ReadUserDword(holm::kOptionsKey, name, &value) ? value : fallback;
}

std::string StoreKey(const std::string& group) {
    return group.empty() ? std::string(holm::kInitMenuKey) : std::string(holm::kInitMenuKey) + "\\" + group;
}

void WriteStoreItem(const std::string& group, const char* name, const std::string& command) {
    WriteUserString(StoreKey(group), name, command);
}

void WriteHotkey(const char* name, DWORD value) { WriteUserDword(holm::kHotkeysKey, name, value); }

void SetShellWindowsVersion(const char* version) { WriteUserString(kShellAppDefaults, "Version", version); }

void ClearShellWindowsVersion() { DeleteUserTree(kShellAppDefaults); }

void WriteMinimalConfiguration() {
    WriteOption("LCancelStr", std::string("Init Menu"));
    WriteOption("RCancelStr", std::string("Window List"));
    WriteOption("ShowNoTitleWindows", 0);
    WriteOption("TrayVisible", 1);
    CreateUserKey(holm::kInitMenuKey);
}

void WriteCloakRecord(const std::string& name, const CloakValues& v) {
    const std::string key = kCloaksKey + name;
    WriteUserString(key, "BackgroundBitmap", v.background);
    WriteUserString(key, "SubmenuIcon", v.submenuIcon);
    WriteUserString(key, "HideCursor", v.hideCursor);
    WriteUserString(key, "CloseCursor", v.closeCursor);
    WriteUserString(key, "KillCursor", v.killCursor);
    WriteUserString(key, "Font", v.font);
    WriteUserDword(key, "Underline", v.underline);
    WriteUserDword(key, "Italics", v.italics);
    WriteUserDword(key, "Bold", v.bold);
    WriteUserString(key, "TextColor", v.text);
    WriteUserString(key, "DisabledTextColor", v.disabledText);
    WriteUserString(key, "BorderAndSepColor", v.border);
}

void WriteDefaultCloak() {
    WriteOption("UseCustomMenus", 1);
    WriteOption("Cloak", std::string("Default"));
    WriteCloakRecord("Default", CloakValues());
}

}  // namespace holmtest
