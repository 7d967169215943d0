// holmtest.cpl: a Control Panel file with three applets, each answering a
// different inquiry: the wide new inquiry (a name with a mnemonic), the
// ANSI new inquiry, and only the old inquiry with a string resource.
// Every call is counted in the process's environment variable
// HOLMTEST_CPL_CALLS, which outlives the file's module between loads.
#include <windows.h>
#include <cpl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HMODULE g_module = nullptr;

// The icon is made for the caller, which destroys it; its value is left in
// the environment for the tests.
void AnswerWide(NEWCPLINFOW* info) {
    info->dwSize = sizeof(NEWCPLINFOW);
    info->hIcon = CopyIcon(LoadIconA(nullptr, IDI_APPLICATION));
    char value[32];
    wsprintfA(value, "%lu", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(info->hIcon)));
    SetEnvironmentVariableA("HOLMTEST_APPLET_ICON", value);
    info->lData = 11;
    lstrcpyW(info->szName, L"Holm &Wide Applet");
}

void AnswerAnsi(NEWCPLINFOA* info) {
    info->dwSize = sizeof(NEWCPLINFOA);
    info->hIcon = LoadIconA(nullptr, IDI_WARNING);
    info->lData = 12;
    lstrcpyA(info->szName, "Holm Ansi Applet");
}

void CountCall() {
    char text[16] = "0";
    GetEnvironmentVariableA("HOLMTEST_CPL_CALLS", text, sizeof(text));
    std::snprintf(text, sizeof(text), "%d", std::atoi(text) + 1);
    SetEnvironmentVariableA("HOLMTEST_CPL_CALLS", text);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) g_module = instance;
    return TRUE;
}

extern "C" __declspec(dllexport) LONG CALLBACK CPlApplet(HWND, UINT message, LPARAM applet, LPARAM param) {
    CountCall();
    switch (message) {
    case CPL_INIT: return 1;
    case CPL_GETCOUNT: return 3;
    case CPL_NEWINQUIRE:
        if (applet == 0) AnswerWide(reinterpret_cast<NEWCPLINFOW*>(param));
        if (applet == 1) AnswerAnsi(reinterpret_cast<NEWCPLINFOA*>(param));
        return 0;
    case CPL_INQUIRE: {
        auto* info = reinterpret_cast<CPLINFO*>(param);
        info->idIcon = 0;
        info->idName = 100;
        info->idInfo = 100;
        info->lData = 13;
        return 0;
    }
    default: return 0;
    }
}
