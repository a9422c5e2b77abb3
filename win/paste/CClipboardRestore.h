// Gives the clipboard back what it held before a paste: copied before the first run, put back
// once the target has read the last run (or has had time to), unless another program has put
// something on the clipboard meanwhile.
#pragma once

#include "core/paste/CClipboardRestoreRule.h"
#include "win/paste/CClipboardSnapshot.h"
#include "win/paste/CWin32KeyOutput.h"

namespace brindlex {

class CClipboardRestore {
public:
    // Takes the snapshot; before the paste's first change to the clipboard.
    explicit CClipboardRestore(CWin32KeyOutput& output)
        : m_output(output), m_snapshot(output.ClipboardOwner(), m_rule) {}

    // After the paste. `lastRunPasted`: its Shift+Insert went out, and the target may read it.
    // `targetCannotRead`: the target reads only after the paste. True when the clipboard was
    // given back.
    bool AfterPaste(bool lastRunPasted, bool targetCannotRead);

private:
    CWin32KeyOutput& m_output;
    CClipboardRestoreRule m_rule;
    CClipboardSnapshot m_snapshot;
};

} // namespace brindlex
