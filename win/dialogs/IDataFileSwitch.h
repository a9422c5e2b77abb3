// What the settings dialog asks of the owner of the library before its OK sets another data file
// path: the library may have to move there, or the library found there be opened.
#pragma once

#include "win/framework/Win32.h"

#include <string>

namespace brindlex {

class IDataFileSwitch {
public:
    virtual ~IDataFileSwitch() = default;

    // The data file is to become `path` (as typed; empty means the default one). Asks the user,
    // over hAsker, when that names another existing file, and does what the answer says. False
    // when the old path stays (Cancel, or the library could not be saved before another opened).
    virtual bool SwitchDataFile(HWND hAsker, const std::u16string& path) = 0;
};

} // namespace brindlex
