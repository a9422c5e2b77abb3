#include "win/lists/CDragListBox.h"

#include "win/framework/MessageParams.h"
#include "win/framework/WideString.h"
#include "win/framework/WindowDpi.h"
#include "core/lists/ListRules.h"

namespace brindlex {

CDragListBox::CDragListBox(int nIconId, int nSelectedIconId, bool bFillBackground)
    : m_rows(*this), m_drag(*this, m_rows), m_painter(nIconId, nSelectedIconId, bFillBackground) {
}

CDragListBox::~CDragListBox() {
    // The editor may not call back into a list that is going away.
    m_wndEdit.CloseWithoutAccept();
    ReleaseWindow();
}

void CDragListBox::SetDpi(int dpi) {
    m_painter.LoadIcons(dpi);
    m_drag.SetDpi(dpi);
    // A fixed-height list measured its rows before we took it over; a variable one asks per row.
    if ((GetStyle() & LBS_OWNERDRAWFIXED) != 0) {
        SendMessage(LB_SETITEMHEIGHT, 0, RowHeight(dpi));
    }
    Invalidate();
}

void CDragListBox::PreSubclassWindow() {
    m_nCurSel = -1;
    m_bPaintedKnown = false;
    m_rows.AdoptExisting();
    SetDpi(WindowDpi(m_hWnd));
    // The list must not paint over the in-place editor when rows are repainted under it.
    ModifyStyle(0, WS_CLIPCHILDREN);
}

void CDragListBox::SetDrawEdge(bool draw) {
    m_painter.SetDrawEdge(draw);
    Invalidate(true);
    if (m_hWnd != nullptr) {
        UpdateWindow();
    }
}

void CDragListBox::SetCurrent(int index) {
    if (m_pEvents != nullptr) {
        m_pEvents->OnCurrentRowChanged(index); // the binding answers with ShowCurrent
    } else {
        ShowCurrent(index);
    }
}

// ---------------------------------------------------------------------------------------------
// Rows

void CDragListBox::ShowRows(std::vector<RowId> rows) {
    m_rows.Sync(std::move(rows));
}

void CDragListBox::ClearRows() {
    m_rows.Clear();
}

void CDragListBox::ShowCurrent(int index) {
    if (m_hWnd == nullptr) {
        return;
    }
    if (index < 0 || index >= m_rows.Count()) {
        index = -1;
    }
    m_nCurSel = index;
    SetCurSel(index);
    UpdateCurrent();
}

void CDragListBox::UpdateCurrent() {
    if (!m_bPaintedKnown) {
        m_nPaintedCur = m_nCurSel;
        m_bPaintedKnown = true;
    }
    if (m_nPaintedCur != m_nCurSel) {
        RepaintRow(m_nPaintedCur);
        RepaintRow(m_nCurSel);
        m_nPaintedCur = m_nCurSel;
    }
}

void CDragListBox::RepaintRow(int index) const {
    RECT r{};
    if (index >= 0 && GetItemRect(index, &r)) {
        InvalidateRect(&r, true);
    }
}

void CDragListBox::ForgetRow(RowId row) {
    if (row.IsEmpty()) {
        return;
    }
    m_rows.Forget(row);
    m_wndEdit.ForgetRecord(row);
}

const std::u16string* CDragListBox::RowName(RowId row) const {
    return m_pEvents != nullptr && !row.IsEmpty() ? m_pEvents->RowName(row) : nullptr;
}

HWND CDragListBox::MessageOwner() const {
    const HWND hWndParent = GetParent();
    return hWndParent != nullptr ? hWndParent : m_hWnd;
}

bool CDragListBox::IsOnCurrentRow(POINT point) const {
    RECT r{};
    return m_nCurSel != -1 && GetItemRect(m_nCurSel, &r) && ::PtInRect(&r, point) != FALSE;
}

RowClick CDragListBox::ClickAt(POINT point) const {
    bool outside = true;
    const int row = ItemFromPoint(point, &outside);
    return RowClick{!outside && row >= 0 ? row : -1, IsOnCurrentRow(point)};
}

// ---------------------------------------------------------------------------------------------
// Messages

LRESULT CDragListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        return OnLButtonDown(MousePoint(lParam));
    case WM_MOUSEMOVE:
        return OnMouseMove(wParam, MousePoint(lParam));
    case WM_LBUTTONUP:
        return OnLButtonUp(MousePoint(lParam));
    case WM_TIMER:
        return m_drag.OnTimer(wParam) ? Default() : 0;
    case WM_KEYUP:
        return OnKeyUp(wParam);
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
        // The editor would no longer cover its row.
        EndInplaceEdit(true);
        return Default();
    case WM_SIZE: {
        const LRESULT result = Default();
        EndInplaceEdit(true);
        return result;
    }
    case WM_INPLACE_EDIT_END:
        EndInplaceEdit(wParam != 0);
        return 0;
    case WM_RBUTTONUP:
        if (m_pEvents != nullptr) {
            m_pEvents->OnRightClick(ClickAt(MousePoint(lParam)));
        }
        return Default();
    case WM_LBUTTONDBLCLK: {
        const LRESULT result = Default();
        if (m_pEvents != nullptr) {
            m_pEvents->OnDoubleClick(ClickAt(MousePoint(lParam)));
        }
        return result;
    }
    case WM_CAPTURECHANGED:
        m_drag.CaptureLost(reinterpret_cast<HWND>(lParam));
        return Default();
    case WM_DESTROY:
        return OnDestroy();
    default:
        break;
    }
    return CListBox::WindowProc(message, wParam, lParam);
}

bool CDragListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    switch (message) {
    case WM_DRAWITEM: {
        // Only rows that are drawn ask for their names: a focus change arrives while the list goes
        // away, when the names can no longer be asked for.
        m_painter.DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam),
                           [this](int row) { return RowName(m_rows.Get(row)); });
        *pResult = TRUE;
        return true;
    }
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        mis->itemHeight = static_cast<UINT>(RowHeight(m_painter.Dpi()));
        mis->itemWidth = kRowMeasureWidth;
        *pResult = TRUE;
        return true;
    }
    case WM_VKEYTOITEM:
        *pResult = OnVKeyToItem(wParam);
        return true;
    case WM_COMMAND:
        if (CommandCode(wParam) == LBN_SELCHANGE) {
            OnSelChange();
            *pResult = 0;
            return true;
        }
        return false;
    default:
        return false;
    }
}

LRESULT CDragListBox::OnLButtonDown(POINT point) {
    const LRESULT result = Default(); // the list box selects the row (and takes the focus)
    bool outside = true;
    const int row = ItemFromPoint(point, &outside);
    const bool onRow = !outside && row >= 0;
    m_drag.Press(onRow ? row : -1);
    if (onRow) {
        SetCurrent(row);
    }
    return result;
}

LRESULT CDragListBox::OnMouseMove(WPARAM keys, POINT point) {
    if ((keys & MK_LBUTTON) == 0 || !m_drag.Track(point)) {
        return Default();
    }
    return 0;
}

LRESULT CDragListBox::OnLButtonUp(POINT point) {
    if (const std::optional<CRowDrag::Drop> drop = m_drag.Release(point)) {
        DropRow(*drop);
    } else {
        SetCurrent(ItemFromPoint(point, nullptr)); // the row nearest the release point
    }
    return Default();
}

LRESULT CDragListBox::OnKeyUp(WPARAM vk) {
    if (vk == VK_INSERT) {
        BeginInplaceEdit();
    } else if (vk == VK_DELETE && m_pEvents != nullptr) {
        m_pEvents->OnDeleteRequested();
    }
    return Default();
}

LRESULT CDragListBox::OnDestroy() {
    // An open editor goes with the list, without renaming anything.
    m_wndEdit.CloseWithoutAccept();
    m_drag.Stop();
    if (m_pEvents != nullptr) {
        m_pEvents->OnListDestroyed();
    }
    const LRESULT result = Default();
    m_nCurSel = -1;
    m_rows.ForgetAll();
    return result;
}

LRESULT CDragListBox::OnVKeyToItem(WPARAM wParam) {
    const unsigned vk = LowWord(wParam);
    if (vk != VK_UP && vk != VK_DOWN) {
        return -1; // the list box's own handling; a changed selection comes back as LBN_SELCHANGE
    }
    const int caret = static_cast<int>(HighWord(wParam));
    const int target = ArrowKeyTarget(vk == VK_UP, caret, m_rows.Count());
    if (target == -1) {
        return -1;
    }
    SetCurrent(target);
    // -2: handled. Letting the list box act on the key as well would move its caret a second row,
    // away from the row just made current.
    return -2;
}

void CDragListBox::OnSelChange() {
    // Keys such as Home, End and Page Down select rows without us: the current row follows.
    const int selected = GetCurSel();
    if (selected != m_nCurSel) {
        SetCurrent(selected);
    } else {
        UpdateCurrent();
    }
}

void CDragListBox::DropRow(const CRowDrag::Drop& drop) {
    const int count = m_rows.Count();
    const int to = NormaliseDropPosition(drop.at, count);
    if (drop.from >= 0 && drop.from < count && drop.from != to) {
        SetRedraw(false);
        const int top = GetTopIndex();
        // The binding moves it and makes it current; the rows follow.
        if (m_pEvents != nullptr) {
            m_pEvents->OnRowMoved(drop.from, to);
        }
        SetTopIndex(top);
        SetRedraw(true);
        Invalidate(true);
        UpdateWindow();
    }
    // Every drop ends as a changed selection does: the current row follows the selected one.
    OnSelChange();
}

// ---------------------------------------------------------------------------------------------
// In-place rename

void CDragListBox::BeginInplaceEdit() {
    if (m_hWnd == nullptr || m_nCurSel == -1) {
        return;
    }
    if (m_wndEdit.IsOpen()) {
        EndInplaceEdit(true);
    }
    RECT r{};
    if (m_nCurSel == -1 || !GetItemRect(m_nCurSel, &r)) {
        return;
    }
    r.top -= 2;
    r.bottom += 2;
    const RowId record = m_rows.Get(m_nCurSel);
    const std::u16string* name = RowName(record);
    if (name == nullptr) {
        return;
    }
    m_wndEdit.Open(m_hWnd, r, *name, m_nCurSel, record);
}

void CDragListBox::EndInplaceEdit(bool accept) {
    m_wndEdit.Close(accept, [this](int editIndex, RowId record, const std::u16string& text) {
        RenameEdited(editIndex, record, text);
    });
}

void CDragListBox::RenameEdited(int editIndex, RowId record, const std::u16string& text) {
    // The rows may have changed under the editor: the rename goes to the record it was opened
    // for, wherever that is now, and to nothing if it is gone.
    const int index = m_rows.Get(editIndex) == record ? editIndex : m_rows.Find(record);
    const std::u16string* name = index >= 0 ? RowName(record) : nullptr;
    if (name == nullptr || text == *name) {
        return;
    }
    const std::u16string previous = *name;
    if (m_pEvents != nullptr) {
        m_pEvents->OnRowRenamed(index, text);
    }
    if ((GetStyle() & LBS_NOTIFY) != 0) {
        ::SendMessageW(GetParent(), WM_LIST_NAME_CHANGED, static_cast<WPARAM>(index),
                       reinterpret_cast<LPARAM>(W(previous)));
    }
}

} // namespace brindlex
