#include "win/framework/LocaleCaseFold.h"

#include "win/framework/Win32.h"

#include <climits>

namespace brindlex {

std::u16string FoldForUserLocale(std::u16string_view text) {
    if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) {
        return std::u16string(text);
    }
    constexpr DWORD kFlags = LCMAP_LOWERCASE | LCMAP_LINGUISTIC_CASING;
    const auto* source = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    // Lower-casing keeps the length almost always; ask for the size only when it does not.
    std::u16string folded(text.size(), u'\0');
    int written = ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kFlags, source, length,
                                  reinterpret_cast<wchar_t*>(folded.data()), length, nullptr, nullptr, 0);
    if (written == 0) {
        const int needed = ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kFlags, source, length, nullptr, 0,
                                           nullptr, nullptr, 0);
        if (needed <= 0) {
            return std::u16string(text); // unfolded still finds what matches as typed
        }
        folded.assign(static_cast<std::size_t>(needed), u'\0');
        written = ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kFlags, source, length,
                                  reinterpret_cast<wchar_t*>(folded.data()), needed, nullptr, nullptr, 0);
    }
    folded.resize(static_cast<std::size_t>(written > 0 ? written : 0));
    return folded;
}

} // namespace brindlex
