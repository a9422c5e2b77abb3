#include "win/framework/WideString.h"

#include "win/framework/Win32.h"

#include <vector>

namespace brindlex {

std::u16string GetWindowTextU16(HWND hWnd) {
    const int length = GetWindowTextLengthW(hWnd);
    if (length <= 0) {
        return {};
    }
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
    const int copied = GetWindowTextW(hWnd, buffer.data(), length + 1);
    return U16(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

} // namespace brindlex
