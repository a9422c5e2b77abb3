// Fuzz target for the settings values and the settings rules. A value must read as the C
// library's wcstoul and wcstol read it (for the values the C library reads the same everywhere:
// ASCII), only its first 64 characters may count, and every number must read back as written.
// A settings file of any values must load into settings that save and load again unchanged.
#include "FuzzInput.h"
#include "core/library/CData.h"
#include "core/library/IniValue.h"
#include "core/library/SettingsRules.h"

#include <cerrno>
#include <cstdint>
#include <cwchar>
#include <cwctype>
#include <map>
#include <optional>
#include <string>
#include <utility>

using namespace brindlex;

namespace {

void Check(bool ok, const char* what) {
    if (!ok) {
        fuzz::Fail("ini", what);
    }
}

struct CReference {
    std::int32_t asInt = 0;
    bool asBool = false;
};

// What wcstoul and wcstol (32-bit long, as on Windows) make of the value's first 64
// characters; nothing for a value with non-ASCII characters.
std::optional<CReference> ReadWithCLibrary(std::u16string_view value) {
    std::wstring head;
    for (std::size_t i = 0; i < value.size() && i < kIniNumberChars; ++i) {
        if (value[i] >= 0x80 || value[i] == 0) {
            return std::nullopt;
        }
        head += static_cast<wchar_t>(value[i]);
    }
    std::size_t i = 0;
    while (i < head.size() && std::iswspace(static_cast<wint_t>(head[i]))) {
        ++i;
    }
    bool negative = false;
    if (i < head.size() && (head[i] == L'+' || head[i] == L'-')) {
        negative = head[i] == L'-';
        ++i;
    }
    std::uint64_t magnitude = 0;
    bool overflow = false;
    if (i < head.size() && head[i] >= L'0' && head[i] <= L'9') {
        errno = 0;
        magnitude = std::wcstoull(head.c_str() + i, nullptr, 10);
        overflow = errno == ERANGE || magnitude > 0xFFFFFFFFu;
    }
    CReference r;
    const std::uint32_t bits = overflow ? 0xFFFFFFFFu : static_cast<std::uint32_t>(magnitude);
    r.asInt = static_cast<std::int32_t>(negative && !overflow ? 0u - bits : bits);
    const std::wstring lower = [&] {
        std::wstring s = head;
        for (wchar_t& c : s) {
            c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
        }
        return s;
    }();
    r.asBool = lower == L"true" || lower == L"yes" || overflow || magnitude != 0;
    return r;
}

void CheckValue(std::u16string_view value) {
    const std::int32_t n = ParseIniInt(value);
    const bool flag = ParseIniBool(value);
    if (const auto expected = ReadWithCLibrary(value)) {
        Check(n == expected->asInt, "ParseIniInt differs from wcstoul");
        Check(flag == expected->asBool, "ParseIniBool differs from wcstol");
    }
    if (value.size() > kIniNumberChars) {
        const std::u16string_view head = value.substr(0, kIniNumberChars);
        Check(ParseIniInt(head) == n && ParseIniBool(head) == flag, "characters after the 64th were read");
    }
    Check(ParseIniInt(FormatIniInt(n)) == n, "a number written with %d reads back otherwise");
    const auto bits = static_cast<std::uint32_t>(n);
    Check(ParseIniInt(FormatIniUInt(bits)) == n, "a number written with %u reads back otherwise");
    Check(ParseIniBool(FormatIniInt(n)) == (n != 0), "a number written as a flag reads back otherwise");
}

class CMapIni : public IIniStore {
public:
    std::u16string ReadString(const char16_t* section, const char16_t* key,
                              const char16_t* def) const override {
        if (section != nullptr && key != nullptr) {
            if (const auto found = m_values.find({section, key}); found != m_values.end()) {
                return found->second;
            }
        }
        return def != nullptr ? def : u"";
    }
    void WriteString(const char16_t* section, const char16_t* key, const char16_t* value) override {
        Check(section != nullptr && key != nullptr && value != nullptr,
              "a write without section, key or value");
        m_values[{section, key}] = value;
    }

private:
    std::map<std::pair<std::u16string, std::u16string>, std::u16string> m_values;
};

struct Key {
    const char16_t* section;
    const char16_t* key;
};
constexpr Key kKeys[] = {
    {settings::kSectionPos, settings::kKeyX},
    {settings::kSectionPos, settings::kKeyY},
    {settings::kSectionPos, settings::kKeyCx},
    {settings::kSectionPos, settings::kKeyCy},
    {settings::kSectionGeneral, settings::kKeyDataFile},
    {settings::kSectionGeneral, settings::kKeyAutoStart},
    {settings::kSectionGeneral, settings::kKeyAlwaysOnTop},
    {settings::kSectionGeneral, settings::kKeyHotkey},
    {settings::kSectionGeneral, settings::kKeyHotkeyVK},
    {settings::kSectionGeneral, settings::kKeyHotkeyMod},
    {settings::kSectionGeneral, settings::kKeyHotkeyCmd},
    {settings::kSectionGeneral, settings::kKeyHideAfterPaste},
    {settings::kSectionGeneral, settings::kKeyHideOnStartup},
    {settings::kSectionInterface, settings::kKeyDrawEdge},
};

bool SameSettings(const CData& a, const CData& b) {
    return a.m_strDataFile == b.m_strDataFile && a.m_bAutoStart == b.m_bAutoStart &&
           a.m_bAlwaysOnTop == b.m_bAlwaysOnTop && a.m_bHotkey == b.m_bHotkey &&
           a.m_wHotkeyVK == b.m_wHotkeyVK && a.m_wHotkeyMod == b.m_wHotkeyMod &&
           a.m_nHotkeyCmd == b.m_nHotkeyCmd && a.m_bHideAfterPaste == b.m_bHideAfterPaste &&
           a.m_bHideOnStartup == b.m_bHideOnStartup && a.m_bDrawEdge == b.m_bDrawEdge;
}

// A settings file with one piece per key, in the order above; a piece made of U+FFFE alone
// stands for a key that is not in the file. Then the screen size from the last piece.
void CheckSettingsFile(const std::vector<std::u16string>& pieces) {
    CMapIni file;
    for (std::size_t i = 0; i < std::size(kKeys) && i + 1 < pieces.size(); ++i) {
        if (pieces[i + 1] != u"\uFFFE") {
            file.WriteString(kKeys[i].section, kKeys[i].key, pieces[i + 1].c_str());
        }
    }
    const std::u16string defaultDataFile = u"C:\\Users\\u\\AppData\\Roaming\\Brindlex\\Brindlex.dat";
    CData loaded;
    ReadSettingsValues(file, loaded, defaultDataFile);
    Check(!loaded.m_strDataFile.empty(), "an empty data file path was loaded");

    CMapIni saved;
    CData written;
    ReadSettingsValues(file, written, defaultDataFile);
    WriteSettingsValues(saved, written, defaultDataFile);
    CData reloaded;
    ReadSettingsValues(saved, reloaded, u"elsewhere");
    Check(SameSettings(loaded, reloaded), "settings saved and loaded again differ");

    const std::u16string& metrics = pieces.back();
    const int cxFull = metrics.size() > 0 ? static_cast<std::int16_t>(metrics[0]) : 1280;
    const int cyFull = metrics.size() > 1 ? static_cast<std::int16_t>(metrics[1]) : 1024;
    const WindowGeometry geometry = ReadWindowGeometry(file, cxFull, cyFull);
    Check(geometry.x >= 0 || geometry.x == cxFull / 2 - 150, "a negative x was kept");
    Check(geometry.y >= 0 || geometry.y == cyFull / 2 - 300, "a negative y was kept");
    WriteWindowGeometry(saved, geometry);
    Check(ReadWindowGeometry(saved, cxFull, cyFull) == geometry, "the window geometry does not read back");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::u16string> pieces = fuzz::Pieces(fuzz::Utf16Text(data, size));
    CheckValue(pieces.front());
    CheckSettingsFile(pieces);
    return 0;
}
