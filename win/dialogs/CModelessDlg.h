// What the program's modeless dialogs (the item editor, settings, the about box, Find) share.
// None of them ends itself: each reports to the window that owns it (the main window creates
// every one of them as their owner, else the application's main window hears it), and that
// window releases the dialog, often while the dialog's own handler is still on the stack. Esc
// and the close box report the dialog's "closed" message. Its buttons and fields are handled
// through a table of commands, and a resizable one places its controls again on every WM_SIZE.
#pragma once

#include "win/framework/CDialog.h"

#include <functional>
#include <vector>

namespace brindlex {

class CModelessDlg : public CDialog {
protected:
    // nClosedMessage: what Esc and the close box send to the owner (wParam and lParam 0).
    CModelessDlg(UINT nIDTemplate, UINT nClosedMessage);

    // WM_COMMAND with `code` from control (or menu entry) `id` calls `handler` and ends there.
    void AddCommand(UINT id, UINT code, std::function<void()> handler);
    // Sends `message` to the window the dialog reports to and returns that window; nullptr (and
    // nothing sent) when there is none. The owner may release the dialog while it handles it.
    HWND ReportToOwner(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // The client area has a new size: a resizable dialog places its controls for it.
    virtual void LayoutControls() {}
    // The DPI the dialog is drawn at: its window's when it was made, then each WM_DPICHANGED's.
    int Dpi() const;
    // The dialog has moved to a screen of another scale and taken the rectangle the system
    // offered; its controls are placed again after this. What else it draws at a size is redone here.
    virtual void OnDpiChanged() {}

    void OnCancel() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Command {
        UINT id;
        UINT code;
        std::function<void()> handler;
    };

    // Runs the handler of a WM_COMMAND; false when the table has none.
    bool RunCommand(WPARAM wParam);

    UINT m_nClosedMessage;
    std::vector<Command> m_commands;
    int m_nDpi = 0; // 0: the window's own, until a WM_DPICHANGED says otherwise
};

} // namespace brindlex
