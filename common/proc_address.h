// GetProcAddress with the entry's real type.
#pragma once
#include <windows.h>

namespace holm {

template <typename Fn>
Fn ProcAddress(HMODULE module, LPCSTR name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace holm
