// The in-place editor of a list row: a single-line EDIT laid over the row, a child of the list.
// Enter and losing the focus accept the text, Escape cancels; either way the editor tells its
// list with WM_INPLACE_EDIT_END and the list closes it. The window exists only while a rename
// is open; the object lives as long as its list.
#pragma once

#include "win/framework/CWnd.h"

#include <string>

class CEditHelper : public CWnd {
public:
    // Opens the editor over `rect` of the list (client coordinates) with `text` selected and the
    // keyboard focus; the list's font is used. False if the window could not be created.
    bool Open(HWND hWndList, const RECT& rect, const std::u16string& text);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnGetDlgCode(LPARAM lParam);
    LRESULT OnKeyUp(WPARAM vk);
    LRESULT OnKillFocus();
    // Tells the list; the list may destroy this window before the call returns.
    void NotifyEnd(bool accept);
};
