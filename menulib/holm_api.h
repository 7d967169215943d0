// The exported interface of the menu library holm.dll.
#pragma once
#include <windows.h>

// holm.exe binds these through a delay-load import library; the calls must
// go through its thunks, so they are not declared dllimport.
#define HOLM_API

extern "C" {

HOLM_API volatile DWORD* _init(HINSTANCE resources, HWND statusWindow);
HOLM_API HHOOK _setmhook(HHOOK hook);
HOLM_API HHOOK _getmhook(void);
HOLM_API HWND _sethwnd(HWND shellWindow);
HOLM_API int _setnotalready(int value);
HOLM_API int _RoL(void);
HOLM_API int _setRoL(int value);
HOLM_API int _allowedShutdown(void);
HOLM_API int _getnumprogs(void);
HOLM_API void _ShowLeftMenu(void);
HOLM_API void _ShowRightMenu(void);
HOLM_API int _doInitMenu(int index);
HOLM_API int _doWinMenu(WPARAM id);
HOLM_API int _doCloseWinMenu(WPARAM id);
HOLM_API int _doHideWinMenu(WPARAM id);
HOLM_API int _doKillWinMenu(WPARAM id);
HOLM_API void _unregHotkeys(void);
HOLM_API int _resetLpum(void);
HOLM_API BOOL _changeTrayStr(HWND trayWindow);
HOLM_API void _runConfigProgAndWait(void);
HOLM_API BOOL _updateMenu(HMENU menu, UINT id, int changed);
HOLM_API LRESULT CALLBACK MouseHookProc(int code, WPARAM message, LPARAM info);

}  // extern "C"

// Every name above, as holm.exe binds it. The shell checks them all when it
// loads the library: a call through a name the library lacks would end it.
constexpr const char* kLibraryExports[] = {
    "_init",          "_setmhook",      "_getmhook",       "_sethwnd",        "_setnotalready", "_RoL",
    "_setRoL",        "_allowedShutdown", "_getnumprogs",  "_ShowLeftMenu",   "_ShowRightMenu", "_doInitMenu",
    "_doWinMenu",     "_doCloseWinMenu", "_doHideWinMenu", "_doKillWinMenu",  "_unregHotkeys",  "_resetLpum",
    "_changeTrayStr", "_runConfigProgAndWait", "_updateMenu", "MouseHookProc"};
