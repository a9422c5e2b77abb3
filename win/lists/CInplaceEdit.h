// The in-place rename of a list row: a single-line EDIT laid over the row, a child of the list.
// Enter and losing the focus accept the text, Escape cancels; either way the editor tells its
// list with WM_INPLACE_EDIT_END and the list closes it. The window exists only while a rename
// is open; the object lives as long as its list. It remembers the row and the record it was
// opened for, since the rows may change under it.
#pragma once

#include "win/framework/CWnd.h"
#include "win/lists/RowId.h"

#include <functional>
#include <string>

namespace brindlex {

// From the editor to its list: the rename ends (wParam 1: accept the text).
inline constexpr UINT WM_INPLACE_EDIT_END = 0x8841;

class CInplaceEdit : public CWnd {
public:
    // Takes the accepted text to the row's record: the row the editor was opened on and the
    // record it showed then.
    using Accept = std::function<void(int index, RowId record, const std::u16string& text)>;

    // Opens the editor over `rect` of the list (client coordinates) with `text` selected and the
    // keyboard focus; the list's font is used. False if the window could not be created.
    bool Open(HWND hWndList, const RECT& rect, const std::u16string& text, int index, RowId record);
    bool IsOpen() const { return IsWindow(); }
    // Closes the editor; with `accept`, a record still there gets the text through `onAccept`
    // first. The keyboard goes back to the list.
    void Close(bool accept, const Accept& onAccept);
    // Closes it without accepting anything (the list goes, or replaces the editor).
    void CloseWithoutAccept();
    // A record about to be freed: the text of an open editor goes nowhere.
    void ForgetRecord(RowId record);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnGetDlgCode(LPARAM lParam);
    LRESULT OnKeyUp(WPARAM vk);
    LRESULT OnKillFocus();
    // Tells the list; the list may destroy this window before the call returns.
    void NotifyEnd(bool accept);

    int m_nIndex = -1;
    RowId m_record;
    bool m_bClosing = false; // Close runs (the window's destruction calls back)
};

} // namespace brindlex
