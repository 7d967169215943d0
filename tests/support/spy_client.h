// The test's side of the spy DLLs (menuspy, menurects, trayspy, viewspy).
// Under Wine menus, icons and list views can only be read in the process
// that owns them, so a spy is hooked onto a thread of that process and sent
// a registered request at one of its windows; the spy answers with
// WM_COPYDATA to the test's receiver window while the request is being sent.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace holmtest {

struct SpyAnswer {
    ULONG_PTR kind = 0;
    std::vector<BYTE> bytes;
    // The answer as text, without the terminating zero the spies send.
    std::string Text() const;
};

class Spy {
public:
    // `dll` in the test's bin folder, exporting the hook procedure `hookProc`.
    Spy(const char* dll, const char* hookProc);
    Spy(const Spy&) = delete;
    Spy& operator=(const Spy&) = delete;
    ~Spy();

    // Sends `request` (wParam: the receiver, lParam as given) to `window`
    // with the spy hooked onto the window's thread. False when the spy could
    // not be hooked or the window did not take the request in time.
    bool Ask(HWND window, const char* request, LPARAM lParam = 0, SpyAnswer* answer = nullptr,
             int timeoutMs = 5000) const;

private:
    HMODULE library_ = nullptr;
    HOOKPROC proc_ = nullptr;
};

}  // namespace holmtest
