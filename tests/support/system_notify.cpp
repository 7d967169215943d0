// NOTIFYICONDATA's balloon and state fields come with the newer shell
// headers; the tests fill them in whatever the deliverables build with.
#if defined(_WIN32_IE) && _WIN32_IE < 0x0600
#undef _WIN32_IE
#endif
#ifndef _WIN32_IE
#define _WIN32_IE 0x0600
#endif
#include "system_notify.h"

#include <shellapi.h>

#include <algorithm>

namespace holmtest {

namespace {

template <std::size_t N>
void CopyText(wchar_t (&field)[N], const std::wstring& text) {
    const std::size_t n = std::min(text.size(), N - 1);
    std::copy(text.begin(), text.begin() + n, field);
    field[n] = L'\0';
}

template <std::size_t N>
void CopyText(char (&field)[N], const std::wstring& text) {
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, field, static_cast<int>(N), nullptr, nullptr);
    field[N - 1] = '\0';
}

}  // namespace

BOOL NotifyAnsiV1(DWORD operation, const SystemIcon& icon) {
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = icon.owner;
    data.uID = icon.id;
    data.uFlags = icon.flags;
    data.uCallbackMessage = icon.callback;
    data.hIcon = icon.icon;
    char tip[64] = "";
    CopyText(tip, icon.tip);
    std::copy(tip, tip + 64, data.szTip);
    return Shell_NotifyIconA(operation, &data);
}

BOOL NotifyWide(DWORD operation, const SystemIcon& icon) {
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof(data);
    data.hWnd = icon.owner;
    data.uID = icon.id;
    data.uFlags = icon.flags;
    data.uCallbackMessage = icon.callback;
    data.hIcon = icon.icon;
    CopyText(data.szTip, icon.tip);
    data.dwState = icon.state;
    data.dwStateMask = icon.stateMask;
    CopyText(data.szInfoTitle, icon.infoTitle);
    CopyText(data.szInfo, icon.info);
    data.uTimeout = icon.timeoutOrVersion;
    data.dwInfoFlags = icon.infoFlags;
    return Shell_NotifyIconW(operation, &data);
}

}  // namespace holmtest
