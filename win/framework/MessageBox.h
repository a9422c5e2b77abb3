// Every message box of the program goes through here, so that tests can see what would have been
// asked and give the answer, without a dialog blocking them.
#pragma once

#include "win/framework/CScopedOverride.h"
#include "win/framework/Win32.h"

#include <functional>
#include <string>

namespace brindlex {

using MessageBoxHook =
    std::function<int(HWND owner, const std::u16string& text, const std::u16string& caption, UINT type)>;

// Shows a message box (MessageBoxW) unless a hook is installed, which is asked instead.
int ShowMessageBox(HWND owner, const std::u16string& text, const std::u16string& caption, UINT type);

// Installs a hook for the lifetime of the object (tests); the previous hook comes back afterwards.
using CMessageBoxHookScope = CScopedOverride<MessageBoxHook, struct MessageBoxHookTag>;

// The program's name, the caption of its own messages.
inline constexpr const char16_t* kProgramName = u"Brindlex";

} // namespace brindlex
