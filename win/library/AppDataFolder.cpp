#include "win/library/AppDataFolder.h"

#include "win/framework/Win32.h"
#include "win/framework/WideString.h"
#include "core/library/SettingsRules.h"

#include <shlobj.h>
#include <shlwapi.h>

namespace brindlex {

namespace {

std::u16string UserAppDataFolder() {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) {
        return {};
    }
    return U16(path);
}

std::u16string AppDataBase() {
    const std::u16string& standIn = CAppDataBaseOverride::Current();
    return standIn.empty() ? UserAppDataFolder() : standIn;
}

} // namespace

bool AppDataBaseExists() {
    const std::u16string base = AppDataBase();
    return !base.empty() && PathIsDirectoryW(W(base));
}

std::u16string GetAppDataFolder() {
    std::u16string folder = AppDataBase() + u"\\" + settings::kFolderName;
    if (!PathIsDirectoryW(W(folder))) {
        CreateDirectoryW(W(folder), nullptr); // if it fails, reads fall back to defaults and writes are lost
    }
    return folder;
}

std::u16string GetSettingsFilePath() {
    return GetAppDataFolder() + u"\\" + settings::kSettingsFileName;
}

std::u16string GetDefaultDataFilePath() {
    return GetAppDataFolder() + u"\\" + settings::kDataFileName;
}

} // namespace brindlex
