// Calling the system's own Shell_NotifyIconA and Shell_NotifyIconW, as real
// programs do: the system decides what reaches the tray and in which form.
#pragma once
#include <windows.h>

#include <string>

namespace holmtest {

constexpr UINT kNifState = 8;
constexpr UINT kNifInfo = 0x10;
constexpr DWORD kNisHidden = 1;
constexpr DWORD kNimSetVersion = 4;
constexpr DWORD kNiifWarning = 2;

struct SystemIcon {
    HWND owner = nullptr;
    UINT id = 0;
    UINT flags = 0;
    UINT callback = 0;
    HICON icon = nullptr;
    std::wstring tip;
    DWORD state = 0;
    DWORD stateMask = 0;
    std::wstring infoTitle;
    std::wstring info;
    UINT timeoutOrVersion = 0;
    DWORD infoFlags = 0;
};

// Shell_NotifyIconA with the first, 88-byte form of the record as old
// programs fill it in (only owner, id, flags, callback, icon and tip).
BOOL NotifyAnsiV1(DWORD operation, const SystemIcon& icon);
// Shell_NotifyIconW with the whole record of today's programs.
BOOL NotifyWide(DWORD operation, const SystemIcon& icon);

}  // namespace holmtest
