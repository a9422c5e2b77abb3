// A paste goes through the clipboard, and the user's own copy is what it replaces. This says what
// of the clipboard is copied before the first run, and whether and when it is put back: only
// when the clipboard still holds what the paste itself put there last, so that something another
// program (or the user) copied meanwhile stays.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace brindlex {

// How a clipboard format's data can be copied: global memory byte for byte, a bitmap, an
// enhanced metafile, or not at all (owner-display and private formats, other GDI handles, a
// metafile picture, whose bytes hold a handle).
enum class ClipboardCopy { Skip, GlobalMemory, Bitmap, EnhancedMetafile };

// `hasDib`: the clipboard also holds a DIB, from which the system makes the bitmap itself.
ClipboardCopy CopyOfClipboardFormat(unsigned format, bool hasDib);

class CClipboardRestoreRule {
public:
    // More than this on the clipboard, and nothing is copied: the clipboard keeps the last run.
    static constexpr std::size_t kMaxSnapshotBytes = std::size_t{64} << 20;
    // A last run the target has not read by then is taken for one it never reads.
    static constexpr unsigned kUnreadLastRunMs = 500;

    // Adds a format of that many bytes to the snapshot; false once the whole is above the cap,
    // and from then on the snapshot is given up.
    bool AdmitFormat(std::size_t bytes);
    bool GaveUp() const { return m_bGaveUp; }

    // Every change the paste itself made to the clipboard, by the sequence number it left there.
    void OnOwnChange(std::uint32_t sequence) { m_nOwnSequence = sequence; }
    // The target reads nothing before the paste is over (a window of the pasting thread): it
    // would paste whatever is on the clipboard then, so the last run stays.
    void SetTargetCannotRead() { m_bTargetCannotRead = true; }

    // At the end of the paste, with the clipboard's sequence number now and whether the window
    // that put the runs there still owns the clipboard. Whoever copies something empties the
    // clipboard first and so becomes its owner; a reader taking a run does not, but it may move
    // the sequence number on as it closes the clipboard (Wine does), so either sign will do.
    bool ShouldRestore(std::uint32_t currentSequence, bool stillOwnedByPaste = false) const;

private:
    std::size_t m_nBytes = 0;
    bool m_bGaveUp = false;
    bool m_bTargetCannotRead = false;
    std::optional<std::uint32_t> m_nOwnSequence; // none: the paste did not touch the clipboard
};

} // namespace brindlex
