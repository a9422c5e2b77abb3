// The control both library lists are: an owner-drawn LISTBOX from the main dialog's template,
// taken over with SubclassDlgItem, whose rows each show a record (by its RowId) as a name next to
// an icon in 30-pixel rows. The rows are kept here, not in the list box: the template makes it a
// fixed-height list without per-row data (LBS_NODATA), which takes any number of rows with one
// LB_SETCOUNT, where filling it row by row took time that grew with the square of the rows. On
// top of the standard list box it keeps a current row that always equals the selected row, moves
// a row by dragging it (CRowDrag), renames a row in place (CInplaceEdit) and reacts to a few
// keys; CListRows keeps the rows' handles and CRowPainter draws them.
//
// The list knows nothing of the library: what the user does to its rows goes to its binding as
// IListEvents (CGroupList, CPasteList), which passes it on to the library and fills the rows and
// shows the current row from the library's answer.
#pragma once

#include "win/framework/CListBox.h"
#include "win/lists/CInplaceEdit.h"
#include "win/lists/CListRows.h"
#include "win/lists/CRowDrag.h"
#include "win/lists/CRowPainter.h"
#include "win/lists/IListEvents.h"
#include "win/lists/RowId.h"

#include <string>
#include <vector>

namespace brindlex {

// From a list with LBS_NOTIFY to its parent after a rename that changed a name: wParam the row,
// lParam the previous name (valid during the call). The main window does not act on it.
inline constexpr UINT WM_LIST_NAME_CHANGED = 0x8840;

class CDragListBox : public CListBox {
public:
    CDragListBox(int nIconId, int nSelectedIconId, bool bFillBackground);
    ~CDragListBox() override;

    // Where the list's events go (nullptr: nowhere, and a row made current is shown at once).
    void SetEvents(IListEvents* events) { m_pEvents = events; }
    // Whether a sunken line is drawn under each row; the list is redrawn.
    void SetDrawEdge(bool draw);
    // The list's window moved to a screen of another scale: rows and icons for that one.
    void SetDpi(int dpi);
    bool GetDrawEdge() const { return m_painter.GetDrawEdge(); }

    // The rows show `rows` in order and are repainted; the scroll position stays where it can.
    void ShowRows(std::vector<RowId> rows);
    // Takes every row away; the next rows start from the top.
    void ClearRows();
    int RowCount() const { return m_rows.Count(); }
    // The record a row shows, empty for no row or a released record.
    RowId RowAt(int index) const { return m_rows.Get(index); }
    // A record that is about to be freed: no row (nor the editor) may show it any more.
    void ForgetRow(RowId row);
    void RepaintRow(int index) const;

    // The current row, -1 for none; always the row the list box shows as selected.
    int GetCurrent() const { return m_nCurSel; }
    // Makes a row current as the user would: the events hear it (and show it by ShowCurrent).
    void SetCurrent(int index);
    // Shows `index` as the current row (no row: -1) and repaints what changed.
    void ShowCurrent(int index);

    // Opens the in-place editor over the current row; nothing without a current row.
    void BeginInplaceEdit();
    // Closes the editor; with accept, a changed text renames the row.
    void EndInplaceEdit(bool accept);
    bool IsEditing() const { return m_wndEdit.IsOpen(); }

    // The message box owner for the lists' questions.
    HWND MessageOwner() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PreSubclassWindow() override;

private:
    // Messages.
    LRESULT OnLButtonDown(POINT point);
    LRESULT OnMouseMove(WPARAM keys, POINT point);
    LRESULT OnLButtonUp(POINT point);
    LRESULT OnKeyUp(WPARAM vk);
    LRESULT OnDestroy();
    LRESULT OnVKeyToItem(WPARAM wParam);
    void OnSelChange();

    const std::u16string* RowName(RowId row) const;
    RowClick ClickAt(POINT point) const;
    bool IsOnCurrentRow(POINT point) const;
    void UpdateCurrent();
    void DropRow(const CRowDrag::Drop& drop);
    // The accepted text of the in-place editor, for the record it was opened for.
    void RenameEdited(int editIndex, RowId record, const std::u16string& text);

    IListEvents* m_pEvents = nullptr;
    CListRows m_rows;
    CRowDrag m_drag;
    CInplaceEdit m_wndEdit;
    CRowPainter m_painter;
    int m_nCurSel = -1;
    int m_nPaintedCur = -1; // the current row as last repainted
    bool m_bPaintedKnown = false;
};

} // namespace brindlex
