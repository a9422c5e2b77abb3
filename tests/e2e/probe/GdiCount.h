// A process's live GDI objects, for the leak checks: Wine's GetGuiResources reads 0 for them.
#pragma once

#include "win/framework/Win32.h"

#include <string>

namespace probe {

// GetGuiResources where it counts, else the used entries of the GDI handle table that the
// process's PEB points to (Wine keeps one per process). -1: unreadable.
long CountGdiObjects(HANDLE process);

// The process's live GDI objects by kind, "dc N region N ... other N", read from that table;
// empty when it cannot be read.
std::string GdiObjectsByType(HANDLE process);

// Fails the command unless the count sees this process's own objects come and go: otherwise its
// figures would prove nothing.
void CheckGdiCounting();

} // namespace probe
