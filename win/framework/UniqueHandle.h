// Owning wrappers for Win32 handles: one template, one traits struct per way of releasing.
#pragma once

#include "win/framework/Win32.h"

#include <utility>

template <typename Traits> class CUniqueHandle {
public:
    using Handle = typename Traits::Handle;

    CUniqueHandle() noexcept = default;
    explicit CUniqueHandle(Handle h) noexcept : m_h(h) {}
    ~CUniqueHandle() { reset(); }
    CUniqueHandle(CUniqueHandle&& other) noexcept : m_h(other.release()) {}
    CUniqueHandle& operator=(CUniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    CUniqueHandle(const CUniqueHandle&) = delete;
    CUniqueHandle& operator=(const CUniqueHandle&) = delete;

    Handle get() const noexcept { return m_h; }
    explicit operator bool() const noexcept { return m_h != nullptr; }
    // Gives up ownership (e.g. after SetClipboardData took the memory).
    Handle release() noexcept { return std::exchange(m_h, nullptr); }
    void reset(Handle h = nullptr) noexcept {
        Handle old = std::exchange(m_h, h);
        if (old != nullptr) {
            Traits::Close(old);
        }
    }

private:
    Handle m_h = nullptr;
};

template <typename T> struct GdiObjectTraits {
    using Handle = T;
    static void Close(T h) noexcept { ::DeleteObject(h); }
};
struct IconTraits {
    using Handle = HICON;
    static void Close(HICON h) noexcept { ::DestroyIcon(h); }
};
struct MenuTraits {
    using Handle = HMENU;
    static void Close(HMENU h) noexcept { ::DestroyMenu(h); }
};
struct MemoryDCTraits {
    using Handle = HDC;
    static void Close(HDC h) noexcept { ::DeleteDC(h); }
};
struct GlobalTraits {
    using Handle = HGLOBAL;
    static void Close(HGLOBAL h) noexcept { ::GlobalFree(h); }
};
struct ModuleTraits {
    using Handle = HMODULE;
    static void Close(HMODULE h) noexcept { ::FreeLibrary(h); }
};
// CreateFileW's handles (CFileHandle keeps INVALID_HANDLE_VALUE out) and registry keys.
struct FileTraits {
    using Handle = HANDLE;
    static void Close(HANDLE h) noexcept { ::CloseHandle(h); }
};
struct RegKeyTraits {
    using Handle = HKEY;
    static void Close(HKEY h) noexcept { ::RegCloseKey(h); }
};
// A window we create and no object is bound to (e.g. a tooltip); a window already gone with its
// owner is left alone.
struct WindowTraits {
    using Handle = HWND;
    static void Close(HWND h) noexcept {
        if (::IsWindow(h)) {
            ::DestroyWindow(h);
        }
    }
};

using CBitmapHandle = CUniqueHandle<GdiObjectTraits<HBITMAP>>;
using CBrushHandle = CUniqueHandle<GdiObjectTraits<HBRUSH>>;
using CPenHandle = CUniqueHandle<GdiObjectTraits<HPEN>>;
using CFontHandle = CUniqueHandle<GdiObjectTraits<HFONT>>;
using CRgnHandle = CUniqueHandle<GdiObjectTraits<HRGN>>;
using CIconHandle = CUniqueHandle<IconTraits>;
using CMenuHandle = CUniqueHandle<MenuTraits>;
// CreateCompatibleDC results.
using CMemoryDC = CUniqueHandle<MemoryDCTraits>;
using CGlobalHandle = CUniqueHandle<GlobalTraits>;
using CModuleHandle = CUniqueHandle<ModuleTraits>;
using CWindowHandle = CUniqueHandle<WindowTraits>;
