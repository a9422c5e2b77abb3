#include "win/app/HelpFile.h"

#include "core/app/HelpPath.h"
#include "win/framework/WideString.h"
#include "win/framework/Win32.h"

namespace brindlex {

void OpenHelpFile() {
    wchar_t module[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
    const std::u16string path = HelpFilePath(U16(module, length));

    static HMODULE hHelp = LoadLibraryExW(L"hhctrl.ocx", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (hHelp == nullptr) {
        return;
    }
    using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
    auto htmlHelp = reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(GetProcAddress(hHelp, "HtmlHelpW")));
    if (htmlHelp != nullptr) {
        htmlHelp(nullptr, W(path), 0 /* HH_DISPLAY_TOPIC */, 0);
    }
}

} // namespace brindlex
