// One INI file, read and written through the Windows profile functions. Values are read with
// the settings file's rules (IniValue.h).
#pragma once

#include "core/library/IIniStore.h"

#include <cstdint>
#include <string>

namespace brindlex {

class CIni : public IIniStore {
public:
    explicit CIni(std::u16string path) : m_strPath(std::move(path)) {}

    // However long the value is; a null section or key gives `def` without reading the file.
    std::u16string ReadString(const char16_t* section, const char16_t* key,
                              const char16_t* def = nullptr) const override;
    // An empty or missing value gives `def`.
    std::int32_t ReadInt(const char16_t* section, const char16_t* key, std::int32_t def) const;
    bool ReadBool(const char16_t* section, const char16_t* key, bool def) const;

    void WriteString(const char16_t* section, const char16_t* key, const char16_t* value) override;
    // "%d"; nothing for a null section or key.
    void WriteInt(const char16_t* section, const char16_t* key, std::int32_t value);
    // "%u"; nothing for a null key.
    void WriteUInt(const char16_t* section, const char16_t* key, std::uint32_t value);

    const std::u16string& Path() const { return m_strPath; }

private:
    void CreateAsUnicode() const;

    std::u16string m_strPath;
};

} // namespace brindlex
