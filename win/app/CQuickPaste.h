// The quick paste: its hotkey notes the window the user types in as the target and opens the
// popup next to its caret; the item chosen there is pasted into that window. The main window's
// visibility, selection and chosen target stay as they are. Also keeps the items pasted in this
// session, which the popup offers first.
#pragma once

#include "core/app/ICommandHost.h"
#include "core/find/CRecentItems.h"
#include "win/dialogs/CQuickPasteDlg.h"
#include "win/framework/Win32.h"

#include <memory>

namespace brindlex {

class CQuickPaste {
public:
    class IOwner {
    public:
        // The target chosen in the main window: a quick paste begun over one of our own windows
        // goes there, as Paste does.
        virtual HWND ChosenTarget() const = 0;
        // Pastes `item` into hTarget the way every paste goes (hTarget null: the window in front).
        virtual void PasteQuickItem(HWND hTarget, const CPasteItem& item) = 0;

    protected:
        ~IOwner() = default;
    };

    // The popup reports what the user chose to `host`.
    CQuickPaste(CLibrary& library, IOwner& owner, ICommandHost& host);

    // Makes the popup, hidden, so that the first hotkey finds it ready (at start-up); false when
    // it could not be made.
    bool Prepare();
    // The hotkey: opens the popup, or closes it when it is open.
    void OnHotkey();
    void OnChoose(int group, int item);
    void OnClosed(bool giveFocusBack);
    // Every paste of the session, whichever way it went, makes the item recent.
    void ItemPasted(const CPasteItem& item) { m_recent.Add(item); }
    bool IsOpen() const { return m_pDlg != nullptr && m_pDlg->IsWindowVisible(); }

private:
    void Open();
    void Hide();

    CLibrary& m_library;
    IOwner& m_owner;
    ICommandHost& m_host;
    CRecentItems m_recent;
    std::unique_ptr<CQuickPasteDlg> m_pDlg;
    HWND m_hFront = nullptr;  // the window in front when the hotkey came
    HWND m_hTarget = nullptr; // where a chosen item goes
};

} // namespace brindlex
