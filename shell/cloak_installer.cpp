#include "cloak_installer.h"

#include <windows.h>

#include <string>

#include "cloak_install_rules.h"
#include "holm_names.h"
#include "holm_values.h"
#include "registry.h"
#include "win_handles.h"

namespace holm {

namespace {

constexpr DWORD kCloakTextBytes = 260;
constexpr const char kCaption[] = "HOLM";
const char* const kFileKeys[] = {values::kCloakSubmenuIcon, values::kCloakBackground, values::kCloakCloseCursor,
                                 values::kCloakHideCursor, values::kCloakKillCursor};
const char* const kTextKeys[] = {values::kCloakFont, values::kCloakTextColour, values::kCloakDisabledTextColour,
                                 values::kCloakBorderColour};
const char* const kStyleKeys[] = {values::kCloakBold, values::kCloakItalics, values::kCloakUnderline};

void Report(const std::string& text, const char* caption, UINT icon) {
    MessageBoxA(nullptr, text.c_str(), caption, icon | MB_SETFOREGROUND);
}

std::string FullPath(const std::string& path) {
    char full[MAX_PATH] = "";
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof(full), full, nullptr);
    return length > 0 && length < sizeof(full) ? std::string(full) : path;
}

// The directory below which cloaks are installed: `CloakDir`, or the
// program's own directory followed by "\Cloaks" (created when missing). An
// empty `CloakDir` would put cloaks at the root of the drive: it counts as
// missing.
std::string CloakDirectory() {
    std::string dir;
    UniqueKey options = OpenUserKey(kOptionsKey);
    if (ReadText(options.Get(), values::kCloakDir, dir, kCloakTextBytes) && !dir.empty()) return dir;
    char program[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, program, sizeof(program));
    dir = DirectoryOf(program) + "Cloaks";
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

std::string FirstSection(const std::string& file) {
    char names[kCloakTextBytes] = "";
    GetPrivateProfileStringA(nullptr, nullptr, "", names, sizeof(names), file.c_str());
    return names;
}

std::string Entry(const std::string& file, const std::string& section, const char* key) {
    char value[kCloakTextBytes] = "";
    GetPrivateProfileStringA(section.c_str(), key, "", value, sizeof(value), file.c_str());
    return value;
}

void StoreText(HKEY record, const char* name, const std::string& value) {
    RegSetValueExA(record, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
}

void StoreNumber(HKEY record, const char* name, DWORD value) {
    RegSetValueExA(record, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

// A name or a file entry that would reach outside the cloak's own directory
// is refused before anything is written.
bool RefuseUnsafe(const std::string& file, const std::string& name) {
    std::string bad;
    if (!IsSafeCloakName(name)) bad = name;
    for (const char* key : kFileKeys) {
        const std::string entry = Entry(file, name, key);
        if (bad.empty() && !IsSafeFileEntry(entry)) bad = entry;
    }
    if (bad.empty()) return false;
    Report("The cloak file names '" + bad +
               "', which would lie outside the cloak's own directory.  Cloak installation failed.",
           kCaption, MB_ICONERROR);
    return true;
}

void CopyAndStoreFiles(HKEY record, const std::string& file, const std::string& name, const std::string& source,
                       const std::string& own) {
    for (const char* key : kFileKeys) {
        const std::string entry = Entry(file, name, key);
        const std::string destination = own + "\\" + entry;
        if (!entry.empty() && !CopyFileA((source + entry).c_str(), destination.c_str(), FALSE))
            Report(destination, "HOLM error - Couldn't copy file:", MB_ICONWARNING);
        StoreText(record, key, destination);
    }
}

}  // namespace

void InstallCloak(const char* argument) {
    const std::string given = CloakFilePath(argument ? argument : "");
    if (given.empty()) {
        Report("No cloak file was given.  Start HOLM with /InstallCloak and the path of a cloak file.", kCaption,
               MB_ICONERROR);
        return;
    }
    const std::string file = FullPath(given);
    const std::string source = DirectoryOf(file);
    const std::string name = FirstSection(file);
    if (name.empty()) {
        Report("No schemes found in this file.", kCaption, MB_ICONERROR);
        return;
    }
    if (RefuseUnsafe(file, name)) return;
    const std::string own = CloakDirectory() + "\\" + name;
    const std::string keyPath = std::string(kOptionsKey) + "\\Cloaks\\" + name;
    HKEY raw = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr) !=
        ERROR_SUCCESS) {
        Report("Coudln't create registry entry.  Cloak installation failed.", kCaption, MB_ICONERROR);
        return;
    }
    UniqueKey record(raw);
    CreateDirectoryA(own.c_str(), nullptr);
    CopyAndStoreFiles(record.Get(), file, name, source, own);
    for (const char* key : kTextKeys) StoreText(record.Get(), key, Entry(file, name, key));
    for (const char* key : kStyleKeys)
        StoreNumber(record.Get(), key, static_cast<DWORD>(StyleNumber(Entry(file, name, key))));
    record.Reset();
    Report("Cloak '" + name + "' successfully installed to '" + own + "'.", kCaption, MB_ICONINFORMATION);
}

}  // namespace holm
