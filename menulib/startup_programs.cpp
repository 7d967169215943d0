#include "startup_programs.h"

#include <string>

#include "launch.h"
#include "library_state.h"
#include "registry.h"
#include "win_handles.h"

namespace holm {

namespace {

constexpr DWORD kNameChars = 256;
constexpr DWORD kDataBytes = 512;
constexpr DWORD kPathChars = 260;

struct RunKey {
    HKEY root;
    const char* subkey;
    bool removeStarted;
};

const RunKey kRunKeys[] = {
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", false},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", true},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices", false},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce", true},
    {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", false},
    {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", true},
    {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices", false},
    {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce", true},
};

std::string CurrentDirectory() {
    char directory[kPathChars] = "";
    GetCurrentDirectoryA(kPathChars, directory);
    return directory;
}

bool StartCommand(const char* command, const std::string& directory) {
    return ShellRun(command, directory.c_str(), SW_SHOWNORMAL) != 0;
}

// Starts the value at `index` if it is plain text; true when it started.
// `ended` is set when the enumeration is over (no more values, or one
// beyond the limits).
bool StartValueAt(HKEY key, DWORD index, const std::string& directory, char* name, bool& ended) {
    char data[kDataBytes + 1] = "";
    DWORD nameLength = kNameChars, dataLength = kDataBytes, type = 0;
    ended = RegEnumValueA(key, index, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(data),
                          &dataLength) != ERROR_SUCCESS;
    if (ended || type != REG_SZ) return false;
    data[dataLength < kDataBytes ? dataLength : kDataBytes] = '\0';
    return StartCommand(data, directory);
}

void RunWindowsKeyValues() {
    const char* path = g_lib.IsNT() ? "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows"
                                    : "Software\\Microsoft\\Windows\\CurrentVersion\\Windows";
    UniqueKey key = OpenUserKey(path);
    if (!key) return;
    const std::string directory = CurrentDirectory();
    for (const char* value : {"Load", "Run"}) {
        std::string command;
        if (ReadText(key.Get(), value, command, kDataBytes)) StartCommand(command.c_str(), directory);
    }
}

}  // namespace

void RunKeyPrograms(HKEY root, const char* subkey, bool removeStarted) {
    const std::string directory = CurrentDirectory();
    HKEY raw = nullptr;
    const REGSAM access = KEY_QUERY_VALUE | (removeStarted ? KEY_SET_VALUE : 0);
    if (RegOpenKeyExA(root, subkey, 0, access, &raw) != ERROR_SUCCESS) return;
    UniqueKey key(raw);
    char name[kNameChars] = "";
    DWORD index = 0;
    for (;;) {
        bool ended = false;
        const bool started = StartValueAt(key.Get(), index, directory, name, ended);
        if (ended) break;
        // A deleted value lets the following ones move down into its place.
        if (started && removeStarted && RegDeleteValueA(key.Get(), name) == ERROR_SUCCESS) continue;
        ++index;
    }
}

void RunStartupPrograms() {
    for (const RunKey& runKey : kRunKeys) RunKeyPrograms(runKey.root, runKey.subkey, runKey.removeStarted);
    RunWindowsKeyValues();
}

}  // namespace holm
