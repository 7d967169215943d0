#include "autorun.h"

#include <dbt.h>

#include <string>
#include <vector>

#include "autorun_logic.h"
#include "process.h"
#include "win_handles.h"

namespace holm {

namespace {

constexpr DWORD kCommandBytes = 4096;
// An Autorun.inf is a few lines; reading stops here whatever the disc holds.
constexpr DWORD kMostAutorunBytes = 64 * 1024;

struct AutorunState {
    std::uint8_t policy = 0;  // first byte of NoDriveTypeAutorun
};

AutorunState g_autorun;

std::string DriveText(int drive) { return std::string(1, static_cast<char>('A' + drive)) + ":"; }
std::string DriveRoot(int drive) { return DriveText(drive) + "\\"; }

std::string ReadFileStart(const std::string& path, DWORD most) {
    HANDLE raw = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw == INVALID_HANDLE_VALUE) return "";
    UniqueKernelHandle file(raw);
    std::string bytes(most, '\0');
    DWORD got = 0;
    if (!ReadFile(file.Get(), &bytes[0], most, &got, nullptr)) got = 0;
    bytes.resize(got);
    return bytes;
}

void RunDiscAutorun(int drive) {
    const std::string entry = AutorunOpenEntry(ReadFileStart(DriveRoot(drive) + "Autorun.inf", kMostAutorunBytes));
    if (entry.empty()) return;
    const std::string command = DriveText(drive) + entry;
    StartProcess(command.c_str(), DriveRoot(drive).c_str(), SW_SHOWNORMAL);
}

std::string ReadAudioCdCommand() {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "AudioCD\\shell\\play\\command", 0, KEY_READ, &raw) != ERROR_SUCCESS)
        return "";
    UniqueKey key(raw);
    std::vector<char> data(kCommandBytes + 1, '\0');
    DWORD size = kCommandBytes, type = 0;
    if (RegQueryValueExA(key.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return "";
    data[size < kCommandBytes ? size : kCommandBytes] = '\0';
    return data.data();
}

std::string ExpandEnvironment(const std::string& text) {
    std::vector<char> buffer(kCommandBytes, '\0');
    const DWORD got = ExpandEnvironmentStringsA(text.c_str(), buffer.data(), kCommandBytes);
    return got == 0 || got > kCommandBytes ? text : std::string(buffer.data());
}

bool IsAudioDisc(int drive) {
    char label[13] = "";
    if (!GetVolumeInformationA(DriveRoot(drive).c_str(), label, sizeof(label), nullptr, nullptr, nullptr, nullptr,
                               0))
        return false;
    return lstrcmpA(label, "Audio CD") == 0;
}

// An audio disc plays when a player is registered; any other disc autoruns.
void HandleCompactDisc(int drive) {
    if (!IsAudioDisc(drive)) {
        RunDiscAutorun(drive);
        return;
    }
    const std::string player = ReadAudioCdCommand();
    if (player.empty()) return;
    const std::string command = AudioCdCommand(ExpandEnvironment(player), DriveText(drive));
    StartProcess(command.c_str(), DriveRoot(drive).c_str(), SW_SHOWNORMAL);
}

void HandleDrive(int drive) {
    const UINT type = GetDriveTypeA(DriveRoot(drive).c_str());
    if (!AutorunAllowed(g_autorun.policy, type)) return;
    if (type == kDriveCdrom)
        HandleCompactDisc(drive);
    else
        RunDiscAutorun(drive);
}

}  // namespace

void ReadAutorunPolicy() {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", 0,
                      KEY_READ, &raw) != ERROR_SUCCESS)
        return;
    UniqueKey key(raw);
    DWORD size = 0;
    if (RegQueryValueExA(key.Get(), "NoDriveTypeAutorun", nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS ||
        size == 0)
        return;
    std::vector<BYTE> data(size);
    if (RegQueryValueExA(key.Get(), "NoDriveTypeAutorun", nullptr, nullptr, data.data(), &size) != ERROR_SUCCESS ||
        size == 0)
        return;
    g_autorun.policy = data[0];
}

LRESULT OnDiscArrival(LPARAM lParam) {
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
    if (!header) return TRUE;
    const std::uint32_t drives = MediaArrivalDrives(header, header->dbch_size);
    for (int drive = 0; drive < 26; ++drive)
        if (drives & (1u << drive)) HandleDrive(drive);
    return TRUE;
}

}  // namespace holm
