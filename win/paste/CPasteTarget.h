// The window chosen for a paste, checked before anything is sent to it: a piece of a snippet,
// perhaps a password, must not go to whatever program happens to have the focus instead.
#pragma once

#include "win/framework/Win32.h"

#include <optional>

namespace brindlex {

enum class PasteTargetState { Ready, NotInFront, Elevated };

class CPasteTarget {
public:
    explicit CPasteTarget(HWND hWnd) : m_hWnd(hWnd) {}

    // Asks the system to bring the window to the front, restored if it is minimised; it may
    // refuse, or the window be gone. Never waits for the window's thread.
    void BringToFront() const;
    // Waits up to `milliseconds` for the window to be in front, answering only the messages
    // other threads send meanwhile; then asks whether we may type into it.
    PasteTargetState WaitUntilReady(DWORD milliseconds = kForegroundWaitMs) const;
    // The foreground window is the target, or one of its own windows (a dialog it owns).
    bool IsInFront() const;

    static constexpr DWORD kForegroundWaitMs = 200;

private:
    HWND m_hWnd;
};

// The integrity level of a process (0x2000 medium, 0x3000 high...), empty when it cannot be read.
std::optional<unsigned> ProcessIntegrityLevel(DWORD processId);

// A window of the calling thread, which cannot read the clipboard while that thread pastes.
bool IsWindowOfThisThread(HWND hWnd);

} // namespace brindlex
