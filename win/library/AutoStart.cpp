#include "win/library/AutoStart.h"

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
