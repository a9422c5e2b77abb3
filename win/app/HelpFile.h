// Opens Brindlex.chm beside the executable through HTML Help. hhctrl.ocx is loaded from the
// system folder only, so a DLL planted beside the program is never used. Failures stay silent.
#pragma once

namespace brindlex {

void OpenHelpFile();

} // namespace brindlex
