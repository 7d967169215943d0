// No exception may cross into the system's code: exported functions,
// window, hook and enumeration procedures run their work through Guarded.
#pragma once
#include <windows.h>

#include <new>

namespace holm {

inline void ReportOutOfMemory() { MessageBoxA(nullptr, "Out of memory!!!", "HOLM", MB_ICONERROR); }

// Runs `body` and returns its result; an exception that would leave it gives
// `fallback` instead, and a failed allocation is reported.
template <class Result, class Body>
Result Guarded(Result fallback, Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
    } catch (...) {
    }
    return fallback;
}

template <class Body>
void Guarded(Body&& body) noexcept {
    Guarded(0, [&] {
        body();
        return 0;
    });
}

// A window or dialog procedure that runs `Body` guarded: an exception gives 0
// (not handled, for a dialog) instead of leaving into the system's code.
template <class Result, Result (*Body)(HWND, UINT, WPARAM, LPARAM)>
Result CALLBACK GuardedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    return Guarded<Result>(0, [&] { return Body(window, message, wParam, lParam); });
}

}  // namespace holm
