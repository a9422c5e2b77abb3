#include "core/library/SettingsRules.h"

#include "core/layout/Dpi.h"

#include "core/library/CData.h"
#include "core/library/IniValue.h"

namespace brindlex {

using namespace settings;

std::int32_t ReadIniInt(const IIniStore& ini, const char16_t* section, const char16_t* key,
                        std::int32_t def) {
    const std::u16string value = ini.ReadString(section, key);
    return value.empty() ? def : ParseIniInt(value);
}

bool ReadIniBool(const IIniStore& ini, const char16_t* section, const char16_t* key, bool def) {
    const std::u16string value = ini.ReadString(section, key);
    return value.empty() ? def : ParseIniBool(value);
}

void WriteIniInt(IIniStore& ini, const char16_t* section, const char16_t* key, std::int32_t value) {
    if (section == nullptr || key == nullptr) {
        return;
    }
    ini.WriteString(section, key, FormatIniInt(value).c_str());
}

void WriteIniUInt(IIniStore& ini, const char16_t* section, const char16_t* key, std::uint32_t value) {
    if (key == nullptr) {
        return;
    }
    ini.WriteString(section, key, FormatIniUInt(value).c_str());
}

WindowGeometry ReadWindowGeometry(const IIniStore& ini, int cxFullScreen, int cyFullScreen, int dpi) {
    WindowGeometry g;
    g.x = ReadIniInt(ini, kSectionPos, kKeyX, kDefaultX);
    g.y = ReadIniInt(ini, kSectionPos, kKeyY, kDefaultY);
    if (g.x < 0) {
        g.x = cxFullScreen / 2 - ScaleForDpi(150, dpi);
    }
    if (g.y < 0) {
        g.y = cyFullScreen / 2 - ScaleForDpi(300, dpi);
    }
    g.cx = ScaleForDpi(ReadIniInt(ini, kSectionPos, kKeyCx, kDefaultCx), dpi);
    g.cy = ScaleForDpi(ReadIniInt(ini, kSectionPos, kKeyCy, kDefaultCy), dpi);
    return g;
}

void WriteWindowGeometry(IIniStore& ini, const WindowGeometry& geometry, int dpi) {
    WriteIniInt(ini, kSectionPos, kKeyX, geometry.x);
    WriteIniInt(ini, kSectionPos, kKeyY, geometry.y);
    WriteIniInt(ini, kSectionPos, kKeyCx, UnscaleForDpi(geometry.cx, dpi));
    WriteIniInt(ini, kSectionPos, kKeyCy, UnscaleForDpi(geometry.cy, dpi));
}

void ReadSettingsValues(const IIniStore& ini, CData& data, const std::u16string& defaultDataFile) {
    data.m_strDataFile = ini.ReadString(kSectionGeneral, kKeyDataFile);
    if (data.m_strDataFile.empty()) {
        data.m_strDataFile = defaultDataFile;
    }
    data.m_bAutoStart = ReadIniBool(ini, kSectionGeneral, kKeyAutoStart, kDefaultAutoStart);
    data.m_bAlwaysOnTop = ReadIniBool(ini, kSectionGeneral, kKeyAlwaysOnTop, kDefaultAlwaysOnTop);
    data.m_bHotkey = ReadIniBool(ini, kSectionGeneral, kKeyHotkey, kDefaultHotkey);
    data.m_wHotkeyVK =
        static_cast<std::uint16_t>(ReadIniInt(ini, kSectionGeneral, kKeyHotkeyVK, kDefaultHotkeyVK));
    data.m_wHotkeyMod =
        static_cast<std::uint16_t>(ReadIniInt(ini, kSectionGeneral, kKeyHotkeyMod, kDefaultHotkeyMod));
    data.m_nHotkeyCmd = ReadIniInt(ini, kSectionGeneral, kKeyHotkeyCmd, kDefaultHotkeyCmd);
    data.m_bHideAfterPaste = ReadIniBool(ini, kSectionGeneral, kKeyHideAfterPaste, kDefaultHideAfterPaste);
    data.m_bHideOnStartup = ReadIniBool(ini, kSectionGeneral, kKeyHideOnStartup, kDefaultHideOnStartup);
    data.m_bQuickPaste = ReadIniBool(ini, kSectionGeneral, kKeyQuickPaste, kDefaultQuickPaste);
    data.m_wQuickPasteVK =
        static_cast<std::uint16_t>(ReadIniInt(ini, kSectionGeneral, kKeyQuickPasteVK, kDefaultQuickPasteVK));
    data.m_wQuickPasteMod = static_cast<std::uint16_t>(
        ReadIniInt(ini, kSectionGeneral, kKeyQuickPasteMod, kDefaultQuickPasteMod));
    data.m_bRestoreClipboard =
        ReadIniBool(ini, kSectionGeneral, kKeyRestoreClipboard, kDefaultRestoreClipboard);
    data.m_bDrawEdge = ReadIniBool(ini, kSectionInterface, kKeyDrawEdge, kDefaultDrawEdge);
}

void WriteSettingsValues(IIniStore& ini, CData& data, const std::u16string& defaultDataFile) {
    ini.WriteString(kSectionGeneral, kKeyDataFile, data.m_strDataFile.c_str());
    if (data.m_strDataFile.empty()) {
        data.m_strDataFile = defaultDataFile;
    }
    WriteIniInt(ini, kSectionGeneral, kKeyAutoStart, data.m_bAutoStart ? 1 : 0);
    WriteIniInt(ini, kSectionGeneral, kKeyAlwaysOnTop, data.m_bAlwaysOnTop ? 1 : 0);
    WriteIniInt(ini, kSectionGeneral, kKeyHotkey, data.m_bHotkey ? 1 : 0);
    WriteIniUInt(ini, kSectionGeneral, kKeyHotkeyVK, data.m_wHotkeyVK);
    WriteIniUInt(ini, kSectionGeneral, kKeyHotkeyMod, data.m_wHotkeyMod);
    WriteIniUInt(ini, kSectionGeneral, kKeyHotkeyCmd, static_cast<std::uint32_t>(data.m_nHotkeyCmd));
    WriteIniInt(ini, kSectionGeneral, kKeyHideAfterPaste, data.m_bHideAfterPaste ? 1 : 0);
    WriteIniInt(ini, kSectionGeneral, kKeyHideOnStartup, data.m_bHideOnStartup ? 1 : 0);
    WriteIniInt(ini, kSectionGeneral, kKeyQuickPaste, data.m_bQuickPaste ? 1 : 0);
    WriteIniUInt(ini, kSectionGeneral, kKeyQuickPasteVK, data.m_wQuickPasteVK);
    WriteIniUInt(ini, kSectionGeneral, kKeyQuickPasteMod, data.m_wQuickPasteMod);
    WriteIniInt(ini, kSectionGeneral, kKeyRestoreClipboard, data.m_bRestoreClipboard ? 1 : 0);
    WriteIniInt(ini, kSectionInterface, kKeyDrawEdge, data.m_bDrawEdge ? 1 : 0);
}

} // namespace brindlex
