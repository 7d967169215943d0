// The spy DLL's side of a request from a test (see spy_client.h): the
// registered message that reached the hooked thread, and the answer sent
// back to the test's receiver window.
#pragma once
#include <windows.h>

#include <string>

namespace holmtest {

// The message a WH_CALLWNDPROC hook sees, or null when there is none to act on.
inline const CWPSTRUCT* SpyMessage(int code, LPARAM lParam) {
    return code == HC_ACTION ? reinterpret_cast<const CWPSTRUCT*>(lParam) : nullptr;
}

// The receiver window a request names (its wParam).
inline HWND SpyReceiver(const CWPSTRUCT* message) { return reinterpret_cast<HWND>(message->wParam); }

inline void SendSpyAnswer(HWND receiver, ULONG_PTR kind, const void* data, DWORD size, UINT timeoutMs = 10000) {
    COPYDATASTRUCT cds = {kind, size, const_cast<void*>(data)};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(receiver, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_ABORTIFHUNG, timeoutMs,
                        &ignored);
}

// A text answer, sent with its terminating zero.
inline void SendSpyText(HWND receiver, ULONG_PTR kind, const std::string& text) {
    SendSpyAnswer(receiver, kind, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

}  // namespace holmtest
