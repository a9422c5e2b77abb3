// CData: the program's one object for the settings, the control-key token table and the library.
// A member of the application object for the whole run; CDataFile and CSettingsFile load and save it.
#pragma once

#include "core/library/CLibrary.h"
#include "core/paste/ControlKeys.h"

#include <array>
#include <cstdint>
#include <string>

namespace brindlex {

class CData {
public:
    CData();
    CData(const CData&) = delete;
    CData& operator=(const CData&) = delete;

    std::array<std::u16string, kControlKeyCount> m_arrTokens;
    std::u16string m_strDataFile;
    bool m_bAutoStart = false;
    bool m_bAlwaysOnTop = false;
    bool m_bHotkey = false;
    std::uint16_t m_wHotkeyVK = 0;
    std::uint16_t m_wHotkeyMod = 0; // HOTKEYF_SHIFT 1, HOTKEYF_CONTROL 2, HOTKEYF_ALT 4
    std::int32_t m_nHotkeyCmd = 0;  // read and written back, nothing else
    std::uint32_t m_clrWindow = 0;  // COLORREF of COLOR_WINDOW, taken when the main window is built
    bool m_bDrawEdge = false;
    bool m_bHideAfterPaste = false;
    bool m_bHideOnStartup = false;
    bool m_bRestoreClipboard = true;
    bool m_bQuickPaste = false;        // the quick-paste hotkey is on
    std::uint16_t m_wQuickPasteVK = 0; // its key and HOTKEYF_* modifiers, as for the show/hide hotkey
    std::uint16_t m_wQuickPasteMod = 0;

    CLibrary m_library;
};

} // namespace brindlex
