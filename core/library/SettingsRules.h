// The settings file's sections, keys and defaults, and how CSettingsFile::Load and Save move
// them between the file and CData. Platform-free: the Win32 half supplies the INI access, the
// screen metrics, the main window and the folder.
#pragma once

#include "core/library/IIniStore.h"

#include <cstdint>
#include <string>

namespace brindlex {

class CData;

namespace settings {

inline constexpr char16_t kSectionPos[] = u"Pos";
inline constexpr char16_t kSectionGeneral[] = u"General";
inline constexpr char16_t kSectionInterface[] = u"Interface";

inline constexpr char16_t kKeyX[] = u"x";
inline constexpr char16_t kKeyY[] = u"y";
inline constexpr char16_t kKeyCx[] = u"cx";
inline constexpr char16_t kKeyCy[] = u"cy";
inline constexpr char16_t kKeyDataFile[] = u"DataFile";
inline constexpr char16_t kKeyAutoStart[] = u"AutoStart";
inline constexpr char16_t kKeyAlwaysOnTop[] = u"AlwaysOnTop";
inline constexpr char16_t kKeyHotkey[] = u"Hotkey";
inline constexpr char16_t kKeyHotkeyVK[] = u"Hotkey_wVK";
inline constexpr char16_t kKeyHotkeyMod[] = u"Hotkey_wMod";
inline constexpr char16_t kKeyHotkeyCmd[] = u"Hotkey_nCmd";
inline constexpr char16_t kKeyHideAfterPaste[] = u"HideAfterPaste";
inline constexpr char16_t kKeyHideOnStartup[] = u"HideOnStartup";
inline constexpr char16_t kKeyRestoreClipboard[] = u"RestoreClipboard";
inline constexpr char16_t kKeyDrawEdge[] = u"DrawEdge";
inline constexpr char16_t kKeyQuickPaste[] = u"QuickPaste";
inline constexpr char16_t kKeyQuickPasteVK[] = u"QuickPaste_wVK";
inline constexpr char16_t kKeyQuickPasteMod[] = u"QuickPaste_wMod";

inline constexpr int kDefaultX = -1; // -1: computed from the screen size
inline constexpr int kDefaultY = -1;
inline constexpr int kDefaultCx = 300;
inline constexpr int kDefaultCy = 600;
inline constexpr bool kDefaultAutoStart = true;
inline constexpr bool kDefaultAlwaysOnTop = true;
inline constexpr bool kDefaultHotkey = false;
inline constexpr std::int32_t kDefaultHotkeyVK = 74; // J
inline constexpr std::int32_t kDefaultHotkeyMod = 3; // HOTKEYF_SHIFT | HOTKEYF_CONTROL
inline constexpr std::int32_t kDefaultHotkeyCmd = 0;
inline constexpr bool kDefaultHideAfterPaste = false;
inline constexpr bool kDefaultHideOnStartup = false;
inline constexpr bool kDefaultRestoreClipboard = true;
inline constexpr bool kDefaultDrawEdge = true;
// The quick paste is on from the start: Ctrl+Alt+Space.
inline constexpr bool kDefaultQuickPaste = true;
inline constexpr std::int32_t kDefaultQuickPasteVK = 32; // VK_SPACE
inline constexpr std::int32_t kDefaultQuickPasteMod = 6; // HOTKEYF_CONTROL | HOTKEYF_ALT

inline constexpr char16_t kSettingsFileName[] = u"Settings.ini";
inline constexpr char16_t kDataFileName[] = u"Brindlex.dat";
inline constexpr char16_t kFolderName[] = u"Brindlex";

} // namespace settings

// The main window's rectangle as the Pos section holds it.
struct WindowGeometry {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    bool operator==(const WindowGeometry&) const = default;
};

// Typed access in the settings file's own value rules (see IniValue.h): an empty or missing
// value gives the default. WriteIniInt does nothing for an absent section or key, WriteIniUInt
// for an absent key.
std::int32_t ReadIniInt(const IIniStore& ini, const char16_t* section, const char16_t* key, std::int32_t def);
bool ReadIniBool(const IIniStore& ini, const char16_t* section, const char16_t* key, bool def);
void WriteIniInt(IIniStore& ini, const char16_t* section, const char16_t* key, std::int32_t value);
void WriteIniUInt(IIniStore& ini, const char16_t* section, const char16_t* key, std::uint32_t value);

// The stored geometry for a window at `dpi`; a negative x or y (none stored, or a window left of
// or above the primary monitor) is replaced by half the full-screen size (SM_CXFULLSCREEN,
// SM_CYFULLSCREEN) less 150 and 300. The position is in screen pixels; the size is kept in
// pixels at 96 DPI, so that a file reads the same at every scale and a window moved between
// screens does not grow.
WindowGeometry ReadWindowGeometry(const IIniStore& ini, int cxFullScreen, int cyFullScreen, int dpi = 96);
void WriteWindowGeometry(IIniStore& ini, const WindowGeometry& geometry, int dpi = 96);

// Everything but the geometry: DataFile (empty means `defaultDataFile`), the flags and the
// hotkey (VK and modifiers cut to 16 bits), the quick-paste hotkey, and DrawEdge.
void ReadSettingsValues(const IIniStore& ini, CData& data, const std::u16string& defaultDataFile);
// Writes the same keys in the file's order (General, then Interface; the keys added later come
// after the older ones of their section, so a file of an earlier version keeps its order); an empty
// m_strDataFile is stored empty and then becomes `defaultDataFile`.
void WriteSettingsValues(IIniStore& ini, CData& data, const std::u16string& defaultDataFile);

} // namespace brindlex
