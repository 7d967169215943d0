#include "shutdown_right.h"

#include "library_state.h"
#include "proc_address.h"
#include "win_handles.h"

namespace holm {

int ShutdownAllowed() {
    if (!g_lib.IsNT()) return 1;
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return 0;
    UniqueKernelHandle token(raw);
    PRIVILEGE_SET privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Control = PRIVILEGE_SET_ALL_NECESSARY;
    privileges.Privilege[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privilege[0].Luid)) return 0;
    // Looked up: Windows 95's advapi32.dll may not have it at all.
    using PrivilegeCheckProc = BOOL(WINAPI*)(HANDLE, PRIVILEGE_SET*, BOOL*);
    const auto check = LoadedProc<PrivilegeCheckProc>("advapi32.dll", "PrivilegeCheck");
    BOOL allowed = FALSE;
    if (!check || !check(token.Get(), &privileges, &allowed)) return 0;
    return allowed ? 1 : 0;
}

}  // namespace holm
