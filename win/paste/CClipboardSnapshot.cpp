#include "win/paste/CClipboardSnapshot.h"

#include "win/framework/CClipboardScope.h"
#include "win/framework/GlobalMemory.h"

namespace brindlex {

CClipboardSnapshot::CClipboardSnapshot(HWND hOwner, CClipboardRestoreRule& rule) {
    const CClipboardScope clipboard(hOwner);
    if (!clipboard.IsOpen()) {
        return;
    }
    const bool hasDib = ::IsClipboardFormatAvailable(CF_DIB) || ::IsClipboardFormatAvailable(CF_DIBV5);
    for (UINT id = ::EnumClipboardFormats(0); id != 0; id = ::EnumClipboardFormats(id)) {
        ++m_nSeen;
        const ClipboardCopy how = CopyOfClipboardFormat(id, hasDib != FALSE);
        if (how != ClipboardCopy::Skip && !Copy(id, how, rule)) {
            m_arrFormats.clear(); // too large: the clipboard keeps the last run
            return;
        }
    }
    m_bTaken = true;
}

bool CClipboardSnapshot::Copy(UINT id, ClipboardCopy how, CClipboardRestoreRule& rule) {
    // Data that cannot be had (a delayed rendering its owner refuses) is left out.
    HANDLE hData = ::GetClipboardData(id);
    if (hData == nullptr) {
        return true;
    }
    Format format;
    format.id = id;
    switch (how) {
    case ClipboardCopy::Skip:
        return true;
    case ClipboardCopy::GlobalMemory: {
        const SIZE_T bytes = ::GlobalSize(hData);
        if (!rule.AdmitFormat(bytes)) {
            return false;
        }
        const CGlobalLock lock(hData);
        if (bytes == 0 || !lock) {
            return true;
        }
        format.global = CopyToGlobal(lock.get(), bytes);
        break;
    }
    case ClipboardCopy::Bitmap: {
        BITMAP bm{};
        if (::GetObjectW(hData, sizeof bm, &bm) == 0 ||
            !rule.AdmitFormat(static_cast<std::size_t>(bm.bmWidthBytes) *
                              static_cast<std::size_t>(bm.bmHeight))) {
            return !rule.GaveUp();
        }
        format.bitmap.reset(static_cast<HBITMAP>(::CopyImage(hData, IMAGE_BITMAP, 0, 0, 0)));
        break;
    }
    case ClipboardCopy::EnhancedMetafile: {
        const auto hMetafile = static_cast<HENHMETAFILE>(hData);
        if (!rule.AdmitFormat(::GetEnhMetaFileBits(hMetafile, 0, nullptr))) {
            return false;
        }
        format.metafile.reset(::CopyEnhMetaFileW(hMetafile, nullptr));
        break;
    }
    }
    if (format.global || format.bitmap || format.metafile) {
        m_arrFormats.push_back(std::move(format));
    }
    return true;
}

void CClipboardSnapshot::PutBack() {
    for (Format& format : m_arrFormats) {
        // The clipboard takes each handle it accepts; one it refuses is freed with the snapshot.
        if (format.global && ::SetClipboardData(format.id, format.global.get()) != nullptr) {
            format.global.release();
        } else if (format.bitmap && ::SetClipboardData(format.id, format.bitmap.get()) != nullptr) {
            format.bitmap.release();
        } else if (format.metafile && ::SetClipboardData(format.id, format.metafile.get()) != nullptr) {
            format.metafile.release();
        }
    }
    m_arrFormats.clear();
}

} // namespace brindlex
