// The quick-paste popup: a query and its results, opened by the quick-paste hotkey over the
// window the user types in. It lives for the whole session and is only hidden between uses, so
// that it opens at once and its search stays folded.
//
// Up and Down in the query move through the results; Enter or a double click report
// PasteQuickItem with the row's group and item to the host (the main window). Esc and the close
// box report QuickPasteClosed (give the focus back to the window the user came from); the popup
// losing the activation (a click elsewhere) reports QuickPasteDeactivated. The main window hides
// the popup in each case. The popup only reads the library.
#pragma once

#include "core/find/CQuickPasteList.h"
#include "win/dialogs/CModelessDlg.h"
#include "win/dialogs/CResultList.h"

#include <string>

namespace brindlex {

class CQuickPasteDlg : public CModelessDlg {
public:
    CQuickPasteDlg(CLibrary& library, const CRecentItems& recent, ICommandHost& host);
    ~CQuickPasteDlg() override;

    // Shows the popup at `rc` (screen pixels) with an empty query, in front and with the focus in
    // the query; `note` is the line under the list (empty: none).
    void Open(const RECT& rc, const std::u16string& note);
    // The line under the list holds a reason not to paste.
    bool HasNote() const { return !m_strNote.empty(); }
    int SelectedRow() const { return m_list.SelectedRow(); }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnDpiChanged() override;
    bool PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FitColumns();
    void OnQueryChanged();
    bool OnNotify(NMHDR& hdr, LRESULT& result);
    void OnGetDispInfo(NMLVDISPINFOW& info);
    void Choose();

    CLibrary& m_library;
    CQuickPasteList m_results;
    CResultList m_list;
    std::u16string m_strNote;
    std::u16string m_strCell; // the text of the cell the list view asked for last
    bool m_bOpening = false;  // Open is showing the window: its activation changes are ours
};

} // namespace brindlex
