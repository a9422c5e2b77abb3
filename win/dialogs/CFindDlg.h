// Find: a modeless, resizable window that searches every folder as the user types. The results
// are a virtual list view (rows are asked for as they are painted), so a query that matches
// everything shows its first rows at once.
//
// Up and Down in the query move through the results; Enter or a double click report ChooseFound
// to the host (the main window), Ctrl+Enter or Paste PasteFound, both with the row's group and
// item. Esc and the close box report FindClosed. The host releases Find while handling any of
// the three, so nothing of the object is touched after a report. Find only reads the library.
#pragma once

#include "core/find/CFindResults.h"
#include "win/dialogs/CModelessDlg.h"
#include "win/dialogs/CResultList.h"

#include <commctrl.h>

#include <string>

namespace brindlex {

class CLibrary;

class CFindDlg : public CModelessDlg {
public:
    CFindDlg(CLibrary& library, ICommandHost& host);
    ~CFindDlg() override;

    // The results as the list shows them (for tests and the owner).
    CFindResults& Results() { return m_results; }
    int SelectedRow() const;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void LayoutControls() override;

private:
    void OnQueryChanged();
    void OnLibraryChanged();
    void ShowResults(int selection);
    bool OnNotify(const NMHDR& hdr);
    void OnGetDispInfo(NMLVDISPINFOW& info);
    void Choose(bool paste);

    CLibrary& m_library;
    CFindResults m_results;
    CResultList m_list;
    bool m_bRefreshPosted = false;
    std::u16string m_strCell; // the text of the cell the list view asked for last
};

} // namespace brindlex
