// What the program's modeless dialogs (the item editor, settings, the about box, Find) share.
// None of them ends itself: each reports to its host (the main window), which releases the
// dialog, often while the dialog's own handler is still on the stack. Esc and the close box
// report the dialog's "closed" command. Its buttons and fields are handled through a table of
// commands, and a resizable one places its controls again on every WM_SIZE.
#pragma once

#include "core/app/ICommandHost.h"
#include "win/framework/CDialog.h"

#include <functional>
#include <vector>

namespace brindlex {

class CModelessDlg : public CDialog {
protected:
    // closed: what Esc and the close box report to the host.
    CModelessDlg(UINT nIDTemplate, ICommandHost& host, CommandKind closed);

    // WM_COMMAND with `code` from control (or menu entry) `id` calls `handler` and ends there.
    void AddCommand(UINT id, UINT code, std::function<void()> handler);
    // Reports `command` to the host, which may release the dialog while it handles it, and
    // returns the window the dialog belongs to (its owner, else the application's main window;
    // nullptr when there is none) for what comes after.
    HWND ReportToOwner(const AppCommand& command) const;
    // The client area has a new size: a resizable dialog places its controls for it.
    virtual void LayoutControls() {}

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

    ICommandHost& m_host;
    CommandKind m_closed;
    std::vector<Command> m_commands;
};

} // namespace brindlex
