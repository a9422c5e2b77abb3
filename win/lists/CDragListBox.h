// The kind of list box both library lists are: an owner-drawn LISTBOX from the main dialog's
// template, taken over with SubclassDlgItem, whose rows carry a record of the library (a group
// or an item) and show its name next to an icon in 30-pixel rows. The records are kept here,
// not in the list box: the template makes it a fixed-height list without per-row data
// (LBS_NODATA), which takes any number of rows with one LB_SETCOUNT, where filling it row by
// row took time that grew with the square of the rows. On top of the standard list
// box it keeps a current row that always equals the selected row, moves a row by dragging it
// (CRowDrag), renames a row in place (CInplaceEdit) and reacts to a few keys; CListRows keeps
// the rows' records and CRowPainter draws them.
//
// The rows display the library model: the derived lists hear it as an ILibraryObserver and
// rebuild or repaint their rows from it; their operations (select, move, rename) go to the
// model, which answers with the notifications that update the rows.
#pragma once

#include "win/framework/CListBox.h"
#include "core/library/CLibrary.h"
#include "win/lists/CInplaceEdit.h"
#include "win/lists/CListRows.h"
#include "win/lists/CRowDrag.h"
#include "win/lists/CRowPainter.h"

#include <string>
#include <vector>

namespace brindlex {

// From a list with LBS_NOTIFY to its parent after a rename that changed a name: wParam the row,
// lParam the previous name (valid during the call). The main window does not act on it.
inline constexpr UINT WM_LIST_NAME_CHANGED = 0x8840;

class CDragListBox : public CListBox, protected ILibraryObserver {
public:
    // The part of the model a list shows (the groups, or the current group's items): where its
    // records and its current row come from, and the model's operations on them.
    struct LibraryPart {
        // The model tells of the groups and of the current group's items in notifications of
        // their own: a list hears its own part's.
        enum class Kind { Groups, Items };
        Kind kind;
        std::vector<LPARAM> (*records)(const CLibrary& library);
        const std::u16string* (*name)(LPARAM record); // nullptr: no record
        int (CLibrary::*current)() const;
        void (CLibrary::*select)(int index);
        void (CLibrary::*move)(int from, int to);
        bool (CLibrary::*rename)(int index, const std::u16string& name);
    };
    // The name of a group or an item shown by a row.
    template <typename Record> static const std::u16string* NameOf(LPARAM record) {
        return record != 0 && record != LB_ERR ? &reinterpret_cast<const Record*>(record)->m_strName
                                               : nullptr;
    }

    ~CDragListBox() override;

    // Attaches the list to the model (nullptr detaches it) and fills the rows from it.
    void SetLibrary(CLibrary* library);
    // Whether a sunken line is drawn under each row; the list is redrawn.
    void SetDrawEdge(bool draw);
    // The list's window moved to a screen of another scale: rows and icons for that one.
    void SetDpi(int dpi);
    bool GetDrawEdge() const { return m_painter.GetDrawEdge(); }
    // The current row, -1 for none; always the row the list box shows as selected.
    int GetCurrent() const { return m_nCurSel; }
    // Makes a row current (through the model, which the rows follow).
    void SetCurrent(int index);
    // Opens the in-place editor over the current row; nothing without a current row.
    void BeginInplaceEdit();
    // Closes the editor; with accept, a changed text renames the row's record.
    void EndInplaceEdit(bool accept);
    bool IsEditing() const { return m_wndEdit.IsOpen(); }
    // The record a row shows (a CPasteGroup* or CPasteItem*), 0 for no row or a released record.
    LPARAM GetRecord(int index) const;

protected:
    CDragListBox(const LibraryPart& part, int nIconId, int nSelectedIconId, bool bFillBackground);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PreSubclassWindow() override;

    // The rows (and the current row) are taken from the model again.
    virtual void ReloadRows() { ShowModelRows(); }
    // The model says the part's rows changed (added, deleted, moved).
    virtual void OnRowsChanged() { ShowModelRows(); }
    // What the two lists do differently with keys and clicks.
    virtual void OnDeleteKey() = 0;
    virtual void OnRightButtonUp(POINT point) = 0;
    virtual void OnDoubleClick(POINT point) = 0;

    // For the derived lists' observer hooks.
    // The rows show the model's records of the list's part, and its current row.
    void ShowModelRows();
    // Takes every row away; the next rows start from the top.
    void ClearRows();
    // Shows `index` as the current row (no row: -1) and repaints what changed.
    void ShowCurrent(int index);
    void RepaintRow(int index) const;
    // A record that is about to be freed: no row may point at it any more.
    void ForgetRecord(LPARAM record);
    // The message box owner for the lists' questions.
    HWND MessageOwner() const;
    // Opens the in-place editor when `point` lies on the current row (a click on it).
    void BeginInplaceEditAt(POINT point);

    CLibrary* m_pLibrary = nullptr;

private:
    // ILibraryObserver: a renamed row is repainted, a new current row shown.
    void OnGroupsChanged() override { RowsChanged(LibraryPart::Kind::Groups); }
    void OnGroupRenamed(int index) override { RowRenamed(LibraryPart::Kind::Groups, index); }
    void OnCurrentGroupChanged(int index) override { CurrentChanged(LibraryPart::Kind::Groups, index); }
    void OnItemsChanged() override { RowsChanged(LibraryPart::Kind::Items); }
    void OnItemRenamed(int index) override { RowRenamed(LibraryPart::Kind::Items, index); }
    void OnCurrentItemChanged(int index) override { CurrentChanged(LibraryPart::Kind::Items, index); }
    void RowsChanged(LibraryPart::Kind kind);
    void RowRenamed(LibraryPart::Kind kind, int index) const;
    void CurrentChanged(LibraryPart::Kind kind, int index);

    // Messages.
    LRESULT OnLButtonDown(POINT point);
    LRESULT OnMouseMove(WPARAM keys, POINT point);
    LRESULT OnLButtonUp(POINT point);
    LRESULT OnKeyUp(WPARAM vk);
    LRESULT OnDestroy();
    LRESULT OnVKeyToItem(WPARAM wParam);
    void OnSelChange();

    const std::u16string* RecordName(LPARAM record) const { return m_part.name(record); }
    bool IsOnCurrentRow(POINT point) const;
    void UpdateCurrent();
    void DropRow(const CRowDrag::Drop& drop);
    // The accepted text of the in-place editor, for the record it was opened for.
    void RenameEdited(int editIndex, LPARAM record, const std::u16string& text);

    const LibraryPart& m_part;
    CListRows m_rows;
    CRowDrag m_drag;
    CInplaceEdit m_wndEdit;
    CRowPainter m_painter;
    int m_nCurSel = -1;
    int m_nDpi = 96;        // of the rows: the window's, told by SetDpi
    int m_nPaintedCur = -1; // the current row as last repainted
    bool m_bPaintedKnown = false;
};

} // namespace brindlex
