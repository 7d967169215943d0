// The one registry writer (and reader) of the tests: the product's options,
// its Init Menu store, its hotkeys and cloaks under HKEY_CURRENT_USER, and
// the few keys of Wine and the system that tests set. Keys are created as
// needed; paths are relative to HKEY_CURRENT_USER unless a root is given.
#pragma once
#include <windows.h>

#include <string>

#include "holm_names.h"

namespace holmtest {

// Plain values.
bool CreateUserKey(const std::string& path);
void DeleteUserTree(const std::string& path);
void WriteUserDword(const std::string& path, const char* name, DWORD value);
void WriteUserString(const std::string& path, const char* name, const std::string& value);
// Any type and any bytes: for values of the wrong type or size.
void WriteUserValue(const std::string& path, const char* name, DWORD type, const void* data, DWORD size);
void WriteValue(HKEY root, const std::string& path, const char* name, DWORD type, const void* data, DWORD size);
bool ReadUserString(const std::string& path, const char* name, std::string* text);
bool ReadUserDword(const std::string& path, const char* name, DWORD* value);
bool UserKeyExists(const std::string& path);

// The product key (Software\Tarvel) removed entirely: a first run.
void ResetHolmRegistry();

// Values of the options key.
void WriteOption(const char* name, DWORD value);
void WriteOption(const char* name, const std::string& value);
DWORD ReadOption(const char* name, DWORD fallback = 0);

// The Init Menu store: `group` is a path of groups below the store's root
// ("" for the root itself, "Tools\\Deep" for a nested group).
std::string StoreKey(const std::string& group = "");
void WriteStoreItem(const std::string& group, const char* name, const std::string& command);

// A special hotkey by its registry name ("Init Menu", "Run", ...).
void WriteHotkey(const char* name, DWORD value);

// The Windows version Wine reports to holm.exe ("win95", "nt40", "win2k"),
// and back to Wine's default.
void SetShellWindowsVersion(const char* version);
void ClearShellWindowsVersion();

// A configuration the shell starts from without running the configuration
// program: options key with LCancelStr/RCancelStr and an Init Menu key, and
// the tray shown, as users have it.
void WriteMinimalConfiguration();
// What the first run of the configuration program writes for the menus:
// UseCustomMenus on, Cloak "Default" and the record Default.
void WriteDefaultCloak();
// A cloak record with all twelve values; empty paths where none is given.
struct CloakValues {
    std::string background, submenuIcon, hideCursor, closeCursor, killCursor;
    std::string font = "MS Sans Serif";
    DWORD bold = 0, italics = 0, underline = 0;
    std::string text = "255 255 255", disabledText = "175 175 175", border = "255 255 255";
};
void WriteCloakRecord(const std::string& name, const CloakValues& values);

}  // namespace holmtest
