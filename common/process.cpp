#include "process.h"

#include <string>
#include <vector>

#include "win_handles.h"

namespace holm {

UniqueKernelHandle StartProcessKeepHandle(const char* commandLine, const char* directory, WORD show) {
    std::vector<char> writable(commandLine, commandLine + lstrlenA(commandLine) + 1);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = show;
    si.dwX = si.dwY = si.dwXSize = si.dwYSize = static_cast<DWORD>(CW_USEDEFAULT);
    si.dwXCountChars = 80;
    si.dwYCountChars = 25;
    PROCESS_INFORMATION pi = {};
    const BOOL started = CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE,
                                        NORMAL_PRIORITY_CLASS, nullptr, directory, &si, &pi);
    if (!started) return UniqueKernelHandle();
    UniqueKernelHandle thread(pi.hThread);
    return UniqueKernelHandle(pi.hProcess);
}

BOOL StartProcess(const char* commandLine, const char* directory, WORD show) {
    return StartProcessKeepHandle(commandLine, directory, show) ? TRUE : FALSE;
}

BOOL EndWindowProcess(HWND hwnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == 0) return FALSE;
    UniqueKernelHandle process(OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, pid));
    if (!process) return FALSE;
    DWORD code = 0;
    GetExitCodeProcess(process.Get(), &code);
    return TerminateProcess(process.Get(), code);
}

HWND EndProcessesByTitle(const char* title) {
    HWND hwnd = nullptr;
    BOOL ended = TRUE;
    while (ended && (hwnd = FindWindowA(nullptr, title)) != nullptr) {
        ended = EndWindowProcess(hwnd);
        Sleep(100);
    }
    return hwnd;
}

namespace {

struct ClosePass {
    const char* className;
    bool found;
};

BOOL CALLBACK CloseIfClassMatches(HWND hwnd, LPARAM param) {
    auto* pass = reinterpret_cast<ClosePass*>(param);
    char name[2048];
    if (GetClassNameA(hwnd, name, sizeof(name)) > 0 && lstrcmpiA(name, pass->className) == 0) {
        PostMessageA(hwnd, WM_CLOSE, 0, 0);
        pass->found = true;
    }
    return TRUE;
}

}  // namespace

bool CloseWindowsByClass(const char* className) {
    const DWORD start = GetTickCount();
    for (;;) {
        ClosePass pass = {className, false};
        EnumWindows(CloseIfClassMatches, reinterpret_cast<LPARAM>(&pass));
        if (!pass.found) return true;
        if (GetTickCount() - start >= 1000) return false;
        Sleep(100);
    }
}

}  // namespace holm
