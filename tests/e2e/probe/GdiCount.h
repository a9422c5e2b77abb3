// A process's live GDI objects, for the leak checks: Wine's GetGuiResources reads 0 for them.
#pragma once

#include "win/framework/Win32.h"

namespace probe {

// GetGuiResources where it counts, else the used entries of the GDI handle table that the
// process's PEB points to (Wine keeps one per process). -1: unreadable.
long CountGdiObjects(HANDLE process);

// Fails the command unless the count sees this process's own objects come and go: otherwise its
// figures would prove nothing.
void CheckGdiCounting();

} // namespace probe
