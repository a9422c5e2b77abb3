// What the settings rules need of an INI file: read a value (with a default for a missing key)
// and write one. CIni provides it over the Windows profile functions; tests use a map.
// A null section or key stands for "absent", as in the profile functions.
#pragma once

#include <string>

namespace brindlex {

class IIniStore {
public:
    virtual ~IIniStore() = default;

    // The whole value, or a copy of `def` (null: "") when the key is missing or section or key
    // is absent.
    virtual std::u16string ReadString(const char16_t* section, const char16_t* key,
                                      const char16_t* def = nullptr) const = 0;
    virtual void WriteString(const char16_t* section, const char16_t* key, const char16_t* value) = 0;
};

} // namespace brindlex
