// What the clipboard held before a paste, copied format by format so that it can be put back
// once the paste is over: global-memory formats byte for byte, the bitmap, the enhanced metafile.
#pragma once

#include "core/paste/CClipboardRestoreRule.h"
#include "win/framework/UniqueHandle.h"
#include "win/framework/Win32.h"

#include <vector>

namespace brindlex {

class CClipboardSnapshot {
public:
    // Copies what the clipboard holds now, opening it for hOwner. Nothing is copied when it cannot
    // be opened, or when the rule finds the whole too large.
    CClipboardSnapshot(HWND hOwner, CClipboardRestoreRule& rule);

    // The snapshot holds what was there: everything, or the clipboard was empty. Not when some
    // format could be seen but none copied, as a clipboard of owner-display data only.
    bool CanPutBack() const { return m_bTaken && (m_nSeen == 0 || !m_arrFormats.empty()); }
    // With the clipboard open and emptied: hands every copy to it, which then owns them. A
    // snapshot is put back once.
    void PutBack();

private:
    using CEnhMetaFileHandle = CUniqueHandle<CloseTraits<HENHMETAFILE, &::DeleteEnhMetaFile>>;
    struct Format {
        UINT id = 0;
        CGlobalHandle global;
        CBitmapHandle bitmap;
        CEnhMetaFileHandle metafile;
    };

    // Copies one format, if the rule admits its size; false when the snapshot must be given up.
    bool Copy(UINT id, ClipboardCopy how, CClipboardRestoreRule& rule);

    std::vector<Format> m_arrFormats;
    std::size_t m_nSeen = 0;
    bool m_bTaken = false;
};

} // namespace brindlex
