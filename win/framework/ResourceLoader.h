// Icons and strings from the program's own resources.
#pragma once

#include "win/framework/CWinApp.h"
#include "win/framework/WideString.h"
#include "win/framework/Win32.h"

#include <string>

namespace brindlex {

// The size the image buttons and the notification area draw their icons at.
inline constexpr int kSmallIconSize = 16;

// Icon resource `id` at cx x cy, from the frame made for that size; 0 x 0 is the size of its first
// frame. The caller owns the icon.
inline HICON LoadIconResource(int id, int cx = 0, int cy = 0, UINT flags = 0) {
    return static_cast<HICON>(
        ::LoadImageW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(id), IMAGE_ICON, cx, cy, flags));
}

// String resource `id`; empty when there is none.
inline std::u16string LoadStringResource(UINT id) {
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(AfxGetInstanceHandle(), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? U16(text, static_cast<std::size_t>(length)) : std::u16string();
}

} // namespace brindlex
