#include "win/library/AutoStart.h"

#include "core/app/TempFolder.h"
#include "win/framework/Win32.h"
#include "win/framework/WideString.h"
#include "win/library/CRegKey.h"

#include <vector>

namespace brindlex {

namespace {

std::u16string ModulePath() {
    // Paths can be longer than MAX_PATH; grow until the whole path fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) {
            return {};
        }
        if (n < buffer.size()) {
            return U16(buffer.data(), n);
        }
        buffer.resize(buffer.size() * 2);
    }
}

// The long form of a path (%TEMP% may be given in 8.3 names), or the path itself when there is none.
std::u16string LongPath(const std::u16string& path) {
    const DWORD size = GetLongPathNameW(W(path), nullptr, 0);
    if (size == 0) {
        return path;
    }
    std::vector<wchar_t> buffer(size);
    const DWORD n = GetLongPathNameW(W(path), buffer.data(), size);
    return n == 0 || n >= size ? path : U16(buffer.data(), n);
}

// Whether the program runs from under the temporary folder, as one opened inside a zip does: a
// Run value there would name a file that is gone by the next logon. Both paths are compared as
// given and in their long forms. Without a temporary folder the answer is no.
bool RunsFromTempFolder(const std::u16string& modulePath) {
    std::vector<wchar_t> buffer(MAX_PATH + 1);
    const DWORD n = GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (n == 0 || n >= buffer.size()) {
        return false;
    }
    const std::u16string temp = U16(buffer.data(), n);
    const std::u16string folders[] = {temp, LongPath(temp)};
    const std::u16string paths[] = {modulePath, LongPath(modulePath)};
    for (const std::u16string& path : paths) {
        for (const std::u16string& folder : folders) {
            if (IsInsideFolder(path, folder)) {
                return true;
            }
        }
    }
    return false;
}

void DeleteValue(HKEY root, const std::u16string& subkey) {
    CRegKey key;
    if (key.Open(root, W(subkey), KEY_QUERY_VALUE | KEY_SET_VALUE) != ERROR_SUCCESS) {
        return; // no key, or no right to change it
    }
    if (RegQueryValueExW(key.Get(), W(kAutoStartValueName), nullptr, nullptr, nullptr, nullptr) ==
        ERROR_SUCCESS) {
        RegDeleteValueW(key.Get(), W(kAutoStartValueName));
    }
}

// Whether the value already holds what would be written: a REG_SZ of `text` with its null.
bool HoldsString(HKEY key, const wchar_t* name, const std::u16string& text) {
    const DWORD expected = static_cast<DWORD>((text.size() + 1) * sizeof(char16_t));
    std::u16string stored(text.size() + 2, u'\0'); // room for one unit more: a longer value differs
    DWORD type = REG_NONE;
    DWORD size = static_cast<DWORD>(stored.size() * sizeof(char16_t));
    return RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(stored.data()), &size) ==
               ERROR_SUCCESS &&
           type == REG_SZ && size == expected && stored.compare(0, text.size(), text) == 0 &&
           stored[text.size()] == u'\0';
}

} // namespace

std::u16string AutoStartCommand() {
    // Quoted, so that a path with spaces is not read as a shorter program and its arguments.
    const std::u16string path = ModulePath();
    std::u16string command;
    command.reserve(path.size() + 2);
    command.append(1, u'"').append(path).append(1, u'"');
    return command;
}

std::u16string AutoStartKey() {
    const std::u16string& standIn = CAutoStartKeyOverride::Current();
    return standIn.empty() ? std::u16string(kRunKey) : standIn;
}

void SetAutoStart(bool bAutoStart) {
    const std::u16string subkey = AutoStartKey();
    // The machine-wide value of earlier versions goes either way: left in place, it would start
    // a second copy next to the user's own value, or one that was turned off.
    DeleteValue(HKEY_LOCAL_MACHINE, subkey);
    if (!bAutoStart) {
        DeleteValue(HKEY_CURRENT_USER, subkey);
        return;
    }
    // The setting stays on; the value is just not pointed at a copy that will be gone. A value
    // that is already there (an installed copy's) is left as it is.
    if (RunsFromTempFolder(ModulePath())) {
        return;
    }
    CRegKey key;
    if (key.Create(HKEY_CURRENT_USER, W(subkey), KEY_QUERY_VALUE | KEY_SET_VALUE) != ERROR_SUCCESS) {
        return;
    }
    const std::u16string command = AutoStartCommand();
    // This runs at every start-up and every save of the settings: a value that is already right
    // is left alone rather than written again.
    if (HoldsString(key.Get(), W(kAutoStartValueName), command)) {
        return;
    }
    RegSetValueExW(key.Get(), W(kAutoStartValueName), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>((command.size() + 1) * 2));
}

} // namespace brindlex
