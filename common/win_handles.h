// Small owners for Windows handles: each releases its handle once.
#pragma once
#include <windows.h>

namespace holm {

template <typename H, typename Deleter>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H h) : h_(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : h_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    H Get() const { return h_; }
    explicit operator bool() const { return h_ != H(); }
    H Release() {
        H h = h_;
        h_ = H();
        return h;
    }
    void Reset(H h = H()) {
        if (h_ != H()) Deleter()(h_);
        h_ = h;
    }

private:
    H h_ = H();
};

struct KeyCloser { void operator()(HKEY k) const { RegCloseKey(k); } };
struct KernelCloser { void operator()(HANDLE h) const { CloseHandle(h); } };
struct MenuDestroyer { void operator()(HMENU m) const { DestroyMenu(m); } };
struct IconDestroyer { void operator()(HICON i) const { DestroyIcon(i); } };
struct CursorDestroyer { void operator()(HCURSOR c) const { DestroyCursor(c); } };
struct GdiDeleter { void operator()(HGDIOBJ o) const { DeleteObject(o); } };
struct LibraryFreer { void operator()(HMODULE m) const { FreeLibrary(m); } };
struct HookRemover { void operator()(HHOOK h) const { UnhookWindowsHookEx(h); } };
struct ChangeNotificationCloser { void operator()(HANDLE h) const { FindCloseChangeNotification(h); } };

using UniqueKey = UniqueHandle<HKEY, KeyCloser>;
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelCloser>;
using UniqueMenu = UniqueHandle<HMENU, MenuDestroyer>;
using UniqueIcon = UniqueHandle<HICON, IconDestroyer>;
using UniqueCursor = UniqueHandle<HCURSOR, CursorDestroyer>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiDeleter>;
using UniqueFont = UniqueHandle<HFONT, GdiDeleter>;
using UniqueLibrary = UniqueHandle<HMODULE, LibraryFreer>;
using UniqueHook = UniqueHandle<HHOOK, HookRemover>;
// Holds a valid FindFirstChangeNotification handle (never INVALID_HANDLE_VALUE).
using UniqueChangeNotification = UniqueHandle<HANDLE, ChangeNotificationCloser>;

// A window DC released with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd, bool whole = false)
        : hwnd_(hwnd), dc_(whole ? GetWindowDC(hwnd) : GetDC(hwnd)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() { if (dc_) ReleaseDC(hwnd_, dc_); }
    HDC Get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// A memory DC deleted with DeleteDC.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    ~MemoryDC() { if (dc_) DeleteDC(dc_); }
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// Selects an object into a DC for the length of a scope.
class SelectInDC {
public:
    SelectInDC(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    SelectInDC(const SelectInDC&) = delete;
    SelectInDC& operator=(const SelectInDC&) = delete;
    ~SelectInDC() { if (old_) SelectObject(dc_, old_); }

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace holm
