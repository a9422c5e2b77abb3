// CDataFile: loads the library of a CData from its data file (m_strDataFile, or the default one in
// the settings folder) and saves it back. It keeps a file that could not be read for the whole
// run, so that no later save replaces it before it is kept.
// A save comes in two halves, so that the window need not wait for the disk: the image of the
// library is made on the window's thread (PrepareSave), and Write may then run on any thread.
#pragma once

#include "core/library/CData.h"
#include "core/library/DataArchive.h"
#include "win/library/CUnreadDataFile.h"

#include <optional>
#include <string>

namespace brindlex {

class CDataFile {
public:
    // What one save writes, and where.
    struct PreparedSave {
        std::u16string path;
        std::u16string backup; // empty: the old file is not kept
        Bytes bytes;
    };

    // How long a data file that another program holds at start-up is waited for.
    static constexpr unsigned kHeldFileWaitMs = 2000;

    // False, after telling the user, when the file is there but could not be read or understood;
    // what was read before the fault stays in the library. A missing file is a first start.
    bool Load(CData& data);

    // The library's image for its file, the old file to be kept as "<file>.bak" when
    // `keepBackup`. Nothing when it must not be written (a file there that could not be read is
    // not kept yet) or cannot be made (no memory).
    // The image is made in `memory` (see WriteDataArchive).
    std::optional<PreparedSave> PrepareSave(const CData& data, bool keepBackup, Bytes memory = {});
    // Puts the image in place of the file (temporary file, flush, replace). Touches nothing but
    // the disk, so it may run on a thread of its own.
    static bool Write(const PreparedSave& save);
    // Both halves at once. Nothing is told: false when the library was not written.
    bool Save(const CData& data, bool keepBackup = true);

    // "Wrong data file!" with the given buttons (MB_OK, MB_RETRYCANCEL): the answer.
    static int TellWrongDataFile(unsigned buttons);

    // The data file of `data`: m_strDataFile, or the default one when that is empty.
    static std::u16string PathOf(const CData& data);
    static bool SamePath(const std::u16string& a, const std::u16string& b);

    // Whether the data file of `data` is the one that could not be read at all when it was
    // loaded (held by another program, access denied).
    bool CouldNotBeRead(const CData& data) const;

    // Where a file that could not be read was kept; empty while it is not.
    const std::u16string& KeptUnreadPath() const { return m_unreadDataFile.KeptPath(); }

private:
    CUnreadDataFile m_unreadDataFile;
    std::u16string m_strUnreadablePath;
};

} // namespace brindlex
