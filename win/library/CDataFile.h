// CDataFile: loads the library of a CData from its data file (m_strDataFile, or the default one in
// the settings folder) and saves it back. It keeps a file that could not be read for the whole
// run, so that no later save replaces it before it is kept.
#pragma once

#include "core/library/CData.h"
#include "win/library/CUnreadDataFile.h"

#include <string>

namespace brindlex {

class CDataFile {
public:
    // False, after telling the user, when the file is there but could not be read or understood;
    // what was read before the fault stays in the library. A missing file is a first start.
    bool Load(CData& data);
    // False, after telling the user, when the library could not be written.
    bool Save(const CData& data);

    // Where a file that could not be read was kept; empty while it is not.
    const std::u16string& KeptUnreadPath() const { return m_unreadDataFile.KeptPath(); }

private:
    CUnreadDataFile m_unreadDataFile;
};

} // namespace brindlex
