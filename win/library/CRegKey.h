// Owns an open registry key and closes it once.
#pragma once

#include "win/framework/UniqueHandle.h"

namespace brindlex {

class CRegKey : public CUniqueHandle<RegKeyTraits> {
public:
    LSTATUS Open(HKEY parent, const wchar_t* subkey, REGSAM access) {
        reset();
        HKEY hKey = nullptr;
        const LSTATUS status = RegOpenKeyExW(parent, subkey, 0, access, &hKey);
        reset(status == ERROR_SUCCESS ? hKey : nullptr);
        return status;
    }
    LSTATUS Create(HKEY parent, const wchar_t* subkey, REGSAM access) {
        reset();
        HKEY hKey = nullptr;
        const LSTATUS status =
            RegCreateKeyExW(parent, subkey, 0, nullptr, 0, access, nullptr, &hKey, nullptr);
        reset(status == ERROR_SUCCESS ? hKey : nullptr);
        return status;
    }
    void Close() { reset(); }
    HKEY Get() const { return get(); }
};

} // namespace brindlex
