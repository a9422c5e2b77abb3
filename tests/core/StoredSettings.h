// The settings a CData keeps in the settings file, as one value: a test of a round trip sets
// them all at once and compares what comes back in one check.
#pragma once

#include "PrintableText.h"
#include "core/library/CData.h"

#include <cstdint>
#include <ostream>
#include <string>

namespace brindlex {

struct StoredSettings {
    std::u16string dataFile;
    bool autoStart = false;
    bool alwaysOnTop = false;
    bool hotkey = false;
    std::uint16_t hotkeyVK = 0;
    std::uint16_t hotkeyMod = 0;
    std::int32_t hotkeyCmd = 0;
    bool hideAfterPaste = false;
    bool hideOnStartup = false;
    bool restoreClipboard = false;
    bool drawEdge = false;
    bool quickPaste = false;
    std::uint16_t quickPasteVK = 0;
    std::uint16_t quickPasteMod = 0;

    // Every one off its default (the data file in a folder with non-Latin letters), so that what
    // comes back was stored and not defaulted.
    static StoredSettings OffTheDefaults() {
        return {.dataFile = u"E:\\\u0414\u0430\u043D\u0456 \u6570\u636E\\Brindlex.dat",
                .autoStart = false,
                .alwaysOnTop = false,
                .hotkey = true,
                .hotkeyVK = 0xFFFF,
                .hotkeyMod = 4,
                .hotkeyCmd = 123456,
                .hideAfterPaste = true,
                .hideOnStartup = true,
                .restoreClipboard = false,
                .drawEdge = false,
                .quickPaste = false,
                .quickPasteVK = 0x70, // F1
                .quickPasteMod = 1};
    }

    static StoredSettings Of(const CData& data) {
        return {data.m_strDataFile,       data.m_bAutoStart,     data.m_bAlwaysOnTop, data.m_bHotkey,
                data.m_wHotkeyVK,         data.m_wHotkeyMod,     data.m_nHotkeyCmd,   data.m_bHideAfterPaste,
                data.m_bHideOnStartup,    data.m_bRestoreClipboard, data.m_bDrawEdge, data.m_bQuickPaste,
                data.m_wQuickPasteVK,     data.m_wQuickPasteMod};
    }

    void ApplyTo(CData& data) const {
        data.m_strDataFile = dataFile;
        data.m_bAutoStart = autoStart;
        data.m_bAlwaysOnTop = alwaysOnTop;
        data.m_bHotkey = hotkey;
        data.m_wHotkeyVK = hotkeyVK;
        data.m_wHotkeyMod = hotkeyMod;
        data.m_nHotkeyCmd = hotkeyCmd;
        data.m_bHideAfterPaste = hideAfterPaste;
        data.m_bHideOnStartup = hideOnStartup;
        data.m_bRestoreClipboard = restoreClipboard;
        data.m_bDrawEdge = drawEdge;
        data.m_bQuickPaste = quickPaste;
        data.m_wQuickPasteVK = quickPasteVK;
        data.m_wQuickPasteMod = quickPasteMod;
    }

    friend bool operator==(const StoredSettings&, const StoredSettings&) = default;

    // Each value under its key's name, so that a failed comparison shows which one differs.
    friend void PrintTo(const StoredSettings& s, std::ostream* os) {
        *os << "DataFile=" << PrintableText(s.dataFile) << " AutoStart=" << s.autoStart
            << " AlwaysOnTop=" << s.alwaysOnTop << " Hotkey=" << s.hotkey << " Hotkey_wVK=" << s.hotkeyVK
            << " Hotkey_wMod=" << s.hotkeyMod << " Hotkey_nCmd=" << s.hotkeyCmd
            << " HideAfterPaste=" << s.hideAfterPaste << " HideOnStartup=" << s.hideOnStartup
            << " RestoreClipboard=" << s.restoreClipboard << " DrawEdge=" << s.drawEdge
            << " QuickPaste=" << s.quickPaste << " QuickPaste_wVK=" << s.quickPasteVK
            << " QuickPaste_wMod=" << s.quickPasteMod;
    }
};

} // namespace brindlex
