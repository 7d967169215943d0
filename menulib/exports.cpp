// Every export of the library, each handing on to the routine that does it.
#include "holm_api.h"
#include "folder_monitor.h"
#include "init_menu.h"
#include "launch.h"
#include "launch_table.h"
#include "library_start.h"
#include "library_state.h"
#include "menu_open.h"
#include "mouse_hook.h"
#include "shutdown_right.h"
#include "window_actions.h"

extern "C" volatile DWORD* _init(HINSTANCE resources, HWND status) { return holm::StartLibrary(resources, status); }
extern "C" HHOOK _setmhook(HHOOK hook) { return holm::SetMouseHook(hook); }
extern "C" HHOOK _getmhook(void) { return holm::MouseHook(); }
extern "C" HWND _sethwnd(HWND shellWindow) { return holm::SetShellWindow(shellWindow); }
extern "C" int _setnotalready(int value) { return holm::SetMenusReady(value); }
extern "C" int _RoL(void) { return holm::LastMenu(); }
extern "C" int _setRoL(int value) { return holm::SetLastMenu(value); }
extern "C" int _allowedShutdown(void) { return holm::ShutdownAllowed(); }
extern "C" int _getnumprogs(void) { return holm::LaunchEntryCount(); }
extern "C" void _ShowLeftMenu(void) { holm::ShowInitMenuAtCursor(); }
extern "C" void _ShowRightMenu(void) { holm::ShowWindowListAtCursor(); }
extern "C" int _doInitMenu(int index) { return holm::RunLaunchEntry(index); }
extern "C" int _doWinMenu(WPARAM id) { return holm::ActOnWindowListChoice(id); }
extern "C" int _doCloseWinMenu(WPARAM id) { return holm::CloseChosenWindow(id); }
extern "C" int _doHideWinMenu(WPARAM id) { return holm::HideChosenWindow(id); }
extern "C" int _doKillWinMenu(WPARAM id) { return holm::EndChosenWindowProcess(id); }
extern "C" void _unregHotkeys(void) { holm::UnregisterItemHotkeys(); }
extern "C" int _resetLpum(void) { return holm::ResetMenus(); }
extern "C" BOOL _changeTrayStr(HWND trayWindow) { return holm::MatchTrayEntry(trayWindow); }
extern "C" void _runConfigProgAndWait(void) { holm::RunConfigProgramAndWait(); }
extern "C" BOOL _updateMenu(HMENU menu, UINT id, int changed) { return holm::MarkMonitorEntry(menu, id, changed != 0); }
extern "C" LRESULT CALLBACK MouseHookProc(int code, WPARAM m, LPARAM l) { return holm::HandleMouseHook(code, m, l); }
