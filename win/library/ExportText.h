// Writes the library to a text file (UTF-16LE with byte-order mark) for reading and printing.
#pragma once

#include "core/library/CLibrary.h"
#include "win/framework/Win32.h"

#include <string>

namespace brindlex {

// Writes the export to `path`, replacing what is there. When the file cannot be created or
// written, a message box names the file and the system's reason, a partly written file is
// removed, and false comes back. The library is only read.
bool ExportText(const CLibrary& library, const std::u16string& path);

// Asks for the file in a Save As dialog owned by hOwner ("Brindlex.txt" offered), then exports
// to it; nothing when the user cancels.
void ExportTextToChosenFile(HWND hOwner, const CLibrary& library);

// The text of that message box.
std::u16string ExportFailureMessage(const std::u16string& path, const std::u16string& reason);

} // namespace brindlex
