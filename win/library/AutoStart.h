// Starting with Windows: a value "Brindlex" under the current user's Run key holding the quoted
// path of the executable.
#pragma once

#include "win/framework/CScopedOverride.h"

#include <string>

namespace brindlex {

// Writes the value when `bAutoStart` is set and removes it otherwise. Earlier versions wrote it
// under HKEY_LOCAL_MACHINE; such a value is removed too where the user may remove it, so that
// the program does not start twice or after being turned off. A program run from under the
// temporary folder (opened inside a zip) writes no value: it would be gone by the next logon.
// Failures leave things as they are.
void SetAutoStart(bool bAutoStart);

inline constexpr char16_t kRunKey[] = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char16_t kAutoStartValueName[] = u"Brindlex";

// The executable's full path in quotes, as the Run value holds it.
std::u16string AutoStartCommand();

// Tests: for its lifetime, a key used in place of kRunKey (under both roots).
using CAutoStartKeyOverride = CScopedOverride<std::u16string, struct AutoStartKeyTag>;
// kRunKey, or the key that stands in for it.
std::u16string AutoStartKey();

} // namespace brindlex
