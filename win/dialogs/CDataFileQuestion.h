// The question OK in the settings asks before the data file path becomes one that names an
// existing file: a task dialog with one button per answer the choice offers, over the settings.
#pragma once

#include "core/library/CDataFileChoice.h"
#include "win/framework/Win32.h"

#include <string>

namespace brindlex {

class CDataFileQuestion {
public:
    CDataFileQuestion(const CDataFileChoice& choice, std::u16string path)
        : m_choice(choice), m_strPath(std::move(path)) {}

    // The answer; Cancel also for Esc, the close box, and when the dialog cannot be shown.
    DataFileAnswer Ask(HWND hOwner) const;

private:
    const CDataFileChoice& m_choice;
    std::u16string m_strPath;
};

} // namespace brindlex
