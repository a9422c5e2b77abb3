#include "core/paste/CClipboardRestoreRule.h"

namespace brindlex {

namespace {
// The system's numbers of the formats named here.
constexpr unsigned kCfBitmap = 2;
constexpr unsigned kCfEnhMetafile = 14;
constexpr unsigned kCfDibV5 = 17;
constexpr unsigned kCfMetafilePict = 3;
constexpr unsigned kCfPalette = 9;
constexpr unsigned kFirstRegistered = 0xC000;
} // namespace

ClipboardCopy CopyOfClipboardFormat(unsigned format, bool hasDib) {
    if (format == kCfBitmap) {
        return hasDib ? ClipboardCopy::Skip : ClipboardCopy::Bitmap;
    }
    if (format == kCfEnhMetafile) {
        return ClipboardCopy::EnhancedMetafile;
    }
    if (format == kCfMetafilePict || format == kCfPalette) {
        return ClipboardCopy::Skip;
    }
    // Text, DIBs, file lists, locale and the other standard formats up to CF_DIBV5 are global
    // memory, as every registered format is; owner-display (0x80...), private (0x200...) and
    // GDI-object (0x300...) formats are not ours to copy.
    if ((format >= 1 && format <= kCfDibV5) || format >= kFirstRegistered) {
        return ClipboardCopy::GlobalMemory;
    }
    return ClipboardCopy::Skip;
}

bool CClipboardRestoreRule::AdmitFormat(std::size_t bytes) {
    if (m_bGaveUp) {
        return false;
    }
    if (bytes > kMaxSnapshotBytes - m_nBytes) {
        m_bGaveUp = true;
        return false;
    }
    m_nBytes += bytes;
    return true;
}

bool CClipboardRestoreRule::ShouldRestore(std::uint32_t currentSequence, bool stillOwnedByPaste) const {
    return !m_bGaveUp && !m_bTargetCannotRead && m_nOwnSequence &&
           (*m_nOwnSequence == currentSequence || stillOwnedByPaste);
}

} // namespace brindlex
