#include "win/library/CIni.h"

#include "win/framework/Win32.h"
#include "win/framework/WideString.h"
#include "win/library/CFileHandle.h"
#include "core/library/SettingsRules.h"

#include <vector>

namespace brindlex {

namespace {
const wchar_t* Wz(const char16_t* s) {
    return reinterpret_cast<const wchar_t*>(s);
}
} // namespace

std::u16string CIni::ReadString(const char16_t* section, const char16_t* key, const char16_t* def) const {
    if (section == nullptr || key == nullptr) {
        return def != nullptr ? def : u"";
    }
    // The profile functions cut a value to the buffer without saying how long it is: grow until
    // the value leaves room to spare. Each read parses the file again, so the buffer doubles: a
    // value of megabytes costs a few reads, not thousands.
    DWORD size = 512;
    std::vector<wchar_t> buffer(size + 1);
    DWORD length = GetPrivateProfileStringW(Wz(section), Wz(key), def != nullptr ? Wz(def) : L"",
                                            buffer.data(), size, W(m_strPath));
    while (length + 1 >= size) {
        size *= 2;
        buffer.assign(size + 1, L'\0');
        length = GetPrivateProfileStringW(Wz(section), Wz(key), def != nullptr ? Wz(def) : L"", buffer.data(),
                                          size, W(m_strPath));
    }
    return U16(buffer.data(), length);
}

std::int32_t CIni::ReadInt(const char16_t* section, const char16_t* key, std::int32_t def) const {
    return ReadIniInt(*this, section, key, def);
}

bool CIni::ReadBool(const char16_t* section, const char16_t* key, bool def) const {
    return ReadIniBool(*this, section, key, def);
}

void CIni::CreateAsUnicode() const {
    // A new file written by WritePrivateProfileStringW would be in the ANSI code page, which
    // turns letters outside it (a data file path with them, say) into question marks. A file
    // that starts with a UTF-16 byte-order mark is kept in UTF-16 by the profile functions.
    CFileHandle file(
        CreateFileW(W(m_strPath), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.IsValid()) {
        static constexpr unsigned char kBom[2] = {0xFF, 0xFE};
        DWORD written = 0;
        WriteFile(file.Get(), kBom, sizeof kBom, &written, nullptr);
    }
}

void CIni::WriteString(const char16_t* section, const char16_t* key, const char16_t* value) {
    if (GetFileAttributesW(W(m_strPath)) == INVALID_FILE_ATTRIBUTES) {
        CreateAsUnicode();
    }
    WritePrivateProfileStringW(Wz(section), Wz(key), Wz(value), W(m_strPath)); // a lost write is not reported
}

void CIni::WriteInt(const char16_t* section, const char16_t* key, std::int32_t value) {
    WriteIniInt(*this, section, key, value);
}

void CIni::WriteUInt(const char16_t* section, const char16_t* key, std::uint32_t value) {
    WriteIniUInt(*this, section, key, value);
}

} // namespace brindlex
