// Where the help file lives: beside the program's executable.
#pragma once

#include <string>

namespace brindlex {

// The folder of a module path: up to (not including) its last '\' or '/', except that a
// separator right after a drive colon stays ("C:\x.exe" -> "C:\").
std::u16string ModuleFolder(const std::u16string& modulePath);

// ModuleFolder + "\Brindlex.chm", without doubling a separator.
std::u16string HelpFilePath(const std::u16string& modulePath);

} // namespace brindlex
