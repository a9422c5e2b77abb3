// Cracking the parameters of window messages: the one place that knows which half of a WPARAM or
// LPARAM holds what, so that handlers read names instead of words and shifts.
#pragma once

#include "win/framework/Win32.h"

namespace brindlex {

// The low and high 16 bits of a parameter, unsigned (a virtual key, a caret row, a state).
inline unsigned LowWord(WPARAM value) {
    return static_cast<unsigned>(value & 0xFFFF);
}
inline unsigned HighWord(WPARAM value) {
    return static_cast<unsigned>((value >> 16) & 0xFFFF);
}

// A parameter made of two 16-bit halves, each value cut to its low 16 bits: client coordinates
// for LB_ITEMFROMPOINT or a mouse message, a WM_COMMAND's id and code.
inline DWORD JoinWords(unsigned low, unsigned high) {
    return static_cast<DWORD>((low & 0xFFFF) | ((high & 0xFFFF) << 16));
}
inline LPARAM MakeLParam(unsigned low, unsigned high) {
    return static_cast<LPARAM>(JoinWords(low, high));
}
inline WPARAM MakeWParam(unsigned low, unsigned high) {
    return static_cast<WPARAM>(JoinWords(low, high));
}

// WM_COMMAND: the id of the control or menu entry, and the control's notification code.
inline unsigned CommandId(WPARAM wParam) {
    return LowWord(wParam);
}
inline unsigned CommandCode(WPARAM wParam) {
    return HighWord(wParam);
}

// A mouse message's client coordinates. Each is a signed 16-bit value: left of or above the
// window (while the mouse is captured) they are negative.
inline POINT MousePoint(LPARAM lParam) {
    const auto bits = static_cast<DWORD_PTR>(lParam);
    return POINT{static_cast<short>(bits & 0xFFFF), static_cast<short>((bits >> 16) & 0xFFFF)};
}

} // namespace brindlex
