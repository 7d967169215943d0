#include "wine_drive.h"

#include <winioctl.h>

#include <vector>

namespace holmtest {

namespace {

// Wine's own mount manager request (its ddk/mountmgr.h extension).
constexpr DWORD kDefineUnixDrive = CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

struct UnixDriveRequest {
    ULONG size;
    ULONG type;
    ULONG fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPointOffset;
    USHORT deviceOffset;
    USHORT labelOffset;
};

std::string UnixPathOf(const std::string& windowsPath) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    auto toUnix = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return "";
    WCHAR wide[MAX_PATH] = L"";
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH);
    char* unix = toUnix(wide);
    if (!unix) return "";
    std::string path = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return path;
}

bool SendDefinition(char letter, const std::string& unixPath, DWORD driveType) {
    HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (manager == INVALID_HANDLE_VALUE) return false;
    std::vector<char> buffer(sizeof(UnixDriveRequest) + unixPath.size() + 1, '\0');
    auto* request = reinterpret_cast<UnixDriveRequest*>(buffer.data());
    request->size = static_cast<ULONG>(buffer.size());
    request->type = driveType;
    request->letter = static_cast<WCHAR>(letter | 0x20);
    if (!unixPath.empty()) {
        request->mountPointOffset = sizeof(UnixDriveRequest);
        std::copy(unixPath.begin(), unixPath.end(), buffer.begin() + sizeof(UnixDriveRequest));
    }
    DWORD returned = 0;
    const BOOL ok = DeviceIoControl(manager, kDefineUnixDrive, buffer.data(), static_cast<DWORD>(buffer.size()),
                                    nullptr, 0, &returned, nullptr);
    CloseHandle(manager);
    return ok != FALSE;
}

}  // namespace

bool MapWineDrive(char letter, const std::string& windowsPath, DWORD driveType) {
    const std::string unixPath = UnixPathOf(windowsPath);
    return !unixPath.empty() && SendDefinition(letter, unixPath, driveType);
}

bool UnmapWineDrive(char letter) { return SendDefinition(letter, "", DRIVE_NO_ROOT_DIR); }

}  // namespace holmtest
