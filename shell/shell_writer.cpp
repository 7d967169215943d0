#include "shell_writer.h"

#include <windows.h>

#include <string>

#include "holm_names.h"
#include "holm_values.h"
#include "process.h"
#include "registry.h"
#include "shell_entry.h"
#include "shell_state.h"

namespace holm {

namespace {

constexpr char kWinLogonKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\WinLogon";
constexpr DWORD kPathChars = 260;

std::string SystemIniPath() {
    char directory[kPathChars] = "";
    GetWindowsDirectoryA(directory, kPathChars);
    return std::string(directory) + "\\system.ini";
}

std::string ReadNtShellEntry() {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kWinLogonKey, 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) return "";
    UniqueKey key(raw);
    std::string entry;
    ReadText(key.Get(), "Shell", entry, kPathChars);
    return entry;
}

std::string ReadWin95ShellEntry() {
    char entry[kPathChars] = "";
    GetPrivateProfileStringA("boot", "shell", "!!!ERROR", entry, kPathChars, SystemIniPath().c_str());
    return lstrcmpA(entry, "!!!ERROR") == 0 ? "" : entry;
}

bool HolmIsTheShell() { return ShellEntryNamesHolm(g_shell.IsNT() ? ReadNtShellEntry() : ReadWin95ShellEntry()); }

bool AskedNotToOffer() {
    UniqueKey key = OpenUserKey(kOptionsKey);
    DWORD dontAsk = 0;
    ReadNumber(key.Get(), values::kDontAskToBeShell, dontAsk);
    return dontAsk != 0;
}

bool Ask(const char* text, UINT icon) { return MessageBoxA(nullptr, text, "HOLM", icon | MB_YESNO) == IDYES; }

void RegisterHolmAsShell() {
    char path[kPathChars] = "";
    if (!GetModuleFileNameA(nullptr, path, kPathChars)) {
        MessageBoxA(nullptr, "Unable to set HOLM as the shell", "HOLM", MB_TOPMOST | MB_ICONERROR);
        return;
    }
    char shortPath[kPathChars] = "";
    if (!g_shell.IsNT() && !GetShortPathNameA(path, shortPath, kPathChars)) shortPath[0] = '\0';
    WriteShellSetting(ShellTextFor(g_shell.IsNT(), path, shortPath).c_str());
}

void OfferToBecomeTheShell() {
    if (HolmIsTheShell() || AskedNotToOffer()) return;
    if (Ask("Would you like to always use HOLM as your shell?\n\n(If you hit \"No,\" you can still set HOLM as "
            "your shell through\nthe HOLM configuration program)",
            MB_ICONQUESTION)) {
        RegisterHolmAsShell();
        return;
    }
    const DWORD dontAsk = Ask("Do you want to be asked about setting HOLM as the shell ever again?", 0) ? 0 : 1;
    WriteRegistryValue(HKEY_CURRENT_USER, kOptionsKey, values::kDontAskToBeShell, REG_DWORD, &dontAsk,
                       sizeof(dontAsk));
}

void StopExplorerRestarting() {
    const DWORD zero = 0;
    WriteRegistryValue(HKEY_LOCAL_MACHINE, kWinLogonKey, "AutoRestartShell", REG_DWORD, &zero, sizeof(zero));
}

bool WriteNtShellEntry(const char* program) {
    return WriteRegistryValue(HKEY_LOCAL_MACHINE, kWinLogonKey, "Shell", REG_SZ, program,
                              static_cast<DWORD>(lstrlenA(program) + 1)) != 0;
}

bool WriteWin95ShellEntry(const char* program) {
    return WritePrivateProfileStringA("boot", "shell", program, SystemIniPath().c_str()) != FALSE;
}

}  // namespace

bool CheckShellTakeover() {
    HWND programManager = FindWindowA("Progman", "Program Manager");
    const bool explorerRuns = programManager && FindWindowA(kTrayClass, "");
    if (!explorerRuns) {
        OfferToBecomeTheShell();
        return true;
    }
    if (!Ask("Explorer is currently running.  Since HOLM and Explorer aren't very\ngood friends, would you like me "
             "to kill it for you?\n\n(If you hit \"No,\" HOLM will abort)",
             MB_ICONQUESTION))
        return false;
    OfferToBecomeTheShell();
    StopExplorerRestarting();
    EndWindowProcess(programManager);
    return true;
}

void WriteShellSetting(const char* program) {
    const bool written = g_shell.IsNT() ? WriteNtShellEntry(program) : WriteWin95ShellEntry(program);
    if (written) return;
    MessageBoxA(g_shell.mainWindow,
                "Unable to set HOLM as the shell.  This is most likely becauseyou lack sufficient privileges to "
                "control that data.",
                "HOLM", MB_TOPMOST | MB_ICONERROR);
}

}  // namespace holm
