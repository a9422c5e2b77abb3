// Owning wrappers for Win32 handles: one template, one traits struct per way of releasing.
#pragma once

#include "win/framework/Win32.h"

#include <utility>

namespace brindlex {

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

// Released by one system function of the handle's type.
template <typename T, auto CloseFunction> struct CloseTraits {
    using Handle = T;
    static void Close(T h) noexcept { CloseFunction(h); }
};
template <typename T> using GdiObjectTraits = CloseTraits<T, &::DeleteObject>;
using IconTraits = CloseTraits<HICON, &::DestroyIcon>;
using MenuTraits = CloseTraits<HMENU, &::DestroyMenu>;
using MemoryDCTraits = CloseTraits<HDC, &::DeleteDC>;
using GlobalTraits = CloseTraits<HGLOBAL, &::GlobalFree>;
using ModuleTraits = CloseTraits<HMODULE, &::FreeLibrary>;
// CreateFileW's handles (CFileHandle keeps INVALID_HANDLE_VALUE out) and registry keys.
using FileTraits = CloseTraits<HANDLE, &::CloseHandle>;
using RegKeyTraits = CloseTraits<HKEY, &::RegCloseKey>;
// A COM interface pointer that holds one reference.
template <typename T> struct ComReleaseTraits {
    using Handle = T*;
    static void Close(T* p) noexcept { p->Release(); }
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
template <typename T> using CComHandle = CUniqueHandle<ComReleaseTraits<T>>;

} // namespace brindlex
