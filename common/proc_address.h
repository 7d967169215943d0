// GetProcAddress with the entry's real type.
#pragma once
#include <windows.h>

namespace holm {

template <typename Fn>
Fn ProcAddress(HMODULE module, LPCSTR name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// An entry of a system library the program already has loaded (kernel32,
// user32, comctl32, ...), looked up at run time because Windows 95 or NT 4
// lack it: an import of it would stop the program loading there. Null where
// the entry or the library is missing.
template <typename Fn>
Fn LoadedProc(LPCSTR library, LPCSTR name) {
    const HMODULE module = GetModuleHandleA(library);
    return module ? ProcAddress<Fn>(module, name) : nullptr;
}

}  // namespace holm
