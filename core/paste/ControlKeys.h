// The 19 control-key tokens in their fixed order. Both the editor's token menu (UTF-16 copies in
// CData) and the key sender (code and key) are derived from this one table.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace brindlex {

enum class KeyDelivery { Tap, Hold };

struct ControlKey {
    std::u16string_view text; // exact, case-sensitive token text
    int code;                 // ControlKeyCode: position + 1, 2..20
    std::uint8_t vk;          // virtual-key code (for [TAB] and [ENTER] asked of the layout at send time)
    char16_t layoutChar;      // non-zero: the key is the one that types this character
    KeyDelivery delivery;
};

inline constexpr int kControlKeyCount = 19;

inline constexpr std::array<ControlKey, kControlKeyCount> kControlKeys{{
    {u"[TAB]", 2, 9, u'\t', KeyDelivery::Tap},    {u"[CAPSLOCK]", 3, 20, 0, KeyDelivery::Tap},
    {u"[SHIFT]", 4, 16, 0, KeyDelivery::Hold},    {u"[CTRL]", 5, 17, 0, KeyDelivery::Hold},
    {u"[BACKSPACE]", 6, 8, 0, KeyDelivery::Tap},  {u"[ENTER]", 7, 13, u'\r', KeyDelivery::Tap},
    {u"[ALT]", 8, 18, 0, KeyDelivery::Tap},       {u"[WINDOW]", 9, 91, 0, KeyDelivery::Tap},
    {u"[LEFT]", 10, 37, 0, KeyDelivery::Tap},     {u"[RIGHT]", 11, 39, 0, KeyDelivery::Tap},
    {u"[UP]", 12, 38, 0, KeyDelivery::Tap},       {u"[DOWN]", 13, 40, 0, KeyDelivery::Tap},
    {u"[ESC]", 14, 27, 0, KeyDelivery::Tap},      {u"[PAGEUP]", 15, 33, 0, KeyDelivery::Tap},
    {u"[PAGEDOWN]", 16, 34, 0, KeyDelivery::Tap}, {u"[HOME]", 17, 36, 0, KeyDelivery::Tap},
    {u"[END]", 18, 35, 0, KeyDelivery::Tap},      {u"[INS]", 19, 45, 0, KeyDelivery::Tap},
    {u"[DEL]", 20, 46, 0, KeyDelivery::Tap},
}};

} // namespace brindlex
