// std::u16string and wchar_t are the same UTF-16 units on Windows; these spare the casts.
#pragma once

#include <string>
#include <string_view>

namespace brindlex {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide strings are UTF-16");

inline const wchar_t* W(const std::u16string& s) {
    return reinterpret_cast<const wchar_t*>(s.c_str());
}

inline std::u16string U16(const wchar_t* s) {
    return s != nullptr ? std::u16string(reinterpret_cast<const char16_t*>(s)) : std::u16string();
}

inline std::u16string U16(const wchar_t* s, std::size_t n) {
    return std::u16string(reinterpret_cast<const char16_t*>(s), n);
}

inline std::u16string U16(const std::wstring& s) {
    return U16(s.c_str(), s.size());
}

inline std::wstring WStr(std::u16string_view s) {
    return std::wstring(reinterpret_cast<const wchar_t*>(s.data()), s.size());
}

// Text of a window, however long.
std::u16string GetWindowTextU16(struct HWND__* hWnd);

} // namespace brindlex
