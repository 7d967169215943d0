#include "process_file.h"

#include <tlhelp32.h>

#include "library_state.h"
#include "proc_address.h"
#include "win_handles.h"

namespace holm {

namespace {

using ModuleFileNameEx = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);
using CreateSnapshot = HANDLE(WINAPI*)(DWORD, DWORD);
using WalkProcesses = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);

// psapi stays loaded once it has been asked for.
struct Psapi {
    bool tried = false;
    UniqueLibrary library;
    ModuleFileNameEx fileNameEx = nullptr;
};

Psapi g_psapi;

ModuleFileNameEx PsapiFileName() {
    if (!g_psapi.tried) {
        g_psapi.tried = true;
        g_psapi.library.Reset(LoadLibraryA("psapi.dll"));
        if (g_psapi.library)
            g_psapi.fileNameEx = ProcAddress<ModuleFileNameEx>(g_psapi.library.Get(), "GetModuleFileNameExA");
    }
    return g_psapi.fileNameEx;
}

std::string FileThroughPsapi(DWORD processId) {
    ModuleFileNameEx fileNameEx = PsapiFileName();
    if (!fileNameEx) return std::string();
    UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process) return std::string();
    char path[MAX_PATH] = "";
    const DWORD length = fileNameEx(process.Get(), nullptr, path, sizeof(path));
    return length > 0 && length < sizeof(path) ? std::string(path, length) : std::string();
}

}  // namespace

void ProcessFileFinder::TakeSnapshot() {
    snapshotTaken_ = true;
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto snapshot = ProcAddress<CreateSnapshot>(kernel, "CreateToolhelp32Snapshot");
    auto first = ProcAddress<WalkProcesses>(kernel, "Process32First");
    auto next = ProcAddress<WalkProcesses>(kernel, "Process32Next");
    if (!snapshot || !first || !next) return;
    HANDLE taken = snapshot(TH32CS_SNAPPROCESS, 0);
    if (taken == INVALID_HANDLE_VALUE) return;
    UniqueKernelHandle processes(taken);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = first(taken, &entry); more; more = next(taken, &entry))
        known_.emplace(entry.th32ProcessID, entry.szExeFile);
}

std::string ProcessFileFinder::FileOf(DWORD processId) {
    auto found = known_.find(processId);
    if (found != known_.end()) return found->second;
    if (!g_lib.IsNT()) {
        if (!snapshotTaken_) TakeSnapshot();
        found = known_.find(processId);
        return found != known_.end() ? found->second : std::string();
    }
    return known_.emplace(processId, FileThroughPsapi(processId)).first->second;
}

}  // namespace holm
