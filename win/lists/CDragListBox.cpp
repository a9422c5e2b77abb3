#include "win/lists/CDragListBox.h"

#include "core/app/CommandIds.h"
#include "win/framework/ResourceLoader.h"
#include "win/framework/CClientDC.h"
#include "win/framework/CGdiSelection.h"
#include "win/framework/CWinApp.h"
#include "win/framework/Drawing.h"
#include "win/framework/WideString.h"
#include "core/lists/ListRules.h"

#include <windowsx.h>

namespace {

RECT ToRECT(const brindlex::Rect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

brindlex::Rect ToRect(const RECT& r) {
    return brindlex::Rect{r.left, r.top, r.right, r.bottom};
}

POINT PointOf(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

bool Contains(const RECT& r, POINT p) {
    return ToRect(r).Contains(p.x, p.y);
}

HICON LoadRowIcon(int id) {
    return LoadIconResource(id, brindlex::kRowIconSize, brindlex::kRowIconSize, LR_DEFAULTCOLOR);
}

} // namespace

CDragListBox::CDragListBox(int nIconId, int nSelectedIconId, bool bFillBackground)
    : m_nIconId(nIconId), m_nSelectedIconId(nSelectedIconId), m_bFillBackground(bFillBackground) {
}

CDragListBox::~CDragListBox() {
    // Neither the editor nor the model may call back into a list that is going away.
    CloseEditorWithoutRename();
    if (m_pLibrary != nullptr) {
        m_pLibrary->RemoveObserver(this);
    }
    ReleaseWindow();
}

void CDragListBox::PreSubclassWindow() {
    m_nCurSel = -1;
    m_bPaintedKnown = false;
    m_records.assign(static_cast<std::size_t>(GetCount()), 0); // rows made before show no record
    m_hIcon.reset(LoadRowIcon(m_nIconId));
    // The item list shows one icon in both looks: it is loaded once.
    m_hSelectedIcon.reset(m_nSelectedIconId != m_nIconId ? LoadRowIcon(m_nSelectedIconId) : nullptr);
    // A fixed-height list measured its rows before we took it over; a variable one asks per row.
    if ((GetStyle() & LBS_OWNERDRAWFIXED) != 0) {
        SendMessage(LB_SETITEMHEIGHT, 0, brindlex::kRowHeight);
    }
    // The list must not paint over the in-place editor when rows are repainted under it.
    ModifyStyle(0, WS_CLIPCHILDREN);
}

void CDragListBox::SetLibrary(CLibrary* library) {
    if (m_pLibrary != nullptr) {
        m_pLibrary->RemoveObserver(this);
    }
    m_pLibrary = library;
    if (m_pLibrary != nullptr) {
        m_pLibrary->AddObserver(this);
    }
    if (m_hWnd != nullptr) {
        ReloadRows();
    }
}

void CDragListBox::SetDrawEdge(bool draw) {
    m_bDrawEdge = draw;
    Invalidate(true);
    if (m_hWnd != nullptr) {
        UpdateWindow();
    }
}

void CDragListBox::SetCurrent(int index) {
    if (m_pLibrary != nullptr) {
        SelectRecord(index); // the model answers with the notification that shows it
    } else {
        ShowCurrent(index);
    }
}

// ---------------------------------------------------------------------------------------------
// Rows

void CDragListBox::SyncRows(std::vector<LPARAM> records) {
    if (m_hWnd == nullptr) {
        return;
    }
    const int count = static_cast<int>(records.size());
    m_records = std::move(records);
    if (GetCount() != count) {
        SetRowCount(count);
    }
    Invalidate(true);
}

void CDragListBox::ClearRows() {
    m_records.clear();
    if (m_hWnd != nullptr) {
        ResetContent();
    }
}

void CDragListBox::SetRowCount(int count) {
    if (SendMessage(LB_SETCOUNT, static_cast<WPARAM>(count)) != LB_ERR) {
        return;
    }
    // A list box made with per-row data refuses LB_SETCOUNT: it gets empty rows one by one.
    while (GetCount() > count) {
        DeleteString(GetCount() - 1);
    }
    while (GetCount() < count) {
        AddItemData(0);
    }
}

LPARAM CDragListBox::GetRecord(int index) const {
    return index >= 0 && index < RowCount() ? m_records[static_cast<std::size_t>(index)] : 0;
}

void CDragListBox::ShowCurrent(int index) {
    if (m_hWnd == nullptr) {
        return;
    }
    if (index < 0 || index >= RowCount()) {
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

void CDragListBox::ForgetRecord(LPARAM record) {
    if (record == 0) {
        return;
    }
    const int row = FindRow(record);
    if (row >= 0) {
        m_records[static_cast<std::size_t>(row)] = 0;
    }
    if (m_editRecord == record) {
        m_editRecord = 0;
    }
}

int CDragListBox::FindRow(LPARAM record) const {
    // A group's items are released in row order: looking where the last one was found first
    // keeps deleting a big group from taking time that grows with the square of its items.
    const int count = RowCount();
    for (int n = 0; n < count; ++n) {
        const int i = (m_nFindHint + n) % count;
        if (m_records[static_cast<std::size_t>(i)] == record) {
            m_nFindHint = i;
            return i;
        }
    }
    return -1;
}

HWND CDragListBox::MessageOwner() const {
    const HWND hWndParent = GetParent();
    return hWndParent != nullptr ? hWndParent : m_hWnd;
}

bool CDragListBox::IsOnCurrentRow(POINT point) const {
    RECT r{};
    return m_nCurSel != -1 && GetItemRect(m_nCurSel, &r) && Contains(r, point);
}

// ---------------------------------------------------------------------------------------------
// Messages

LRESULT CDragListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        return OnLButtonDown(PointOf(lParam));
    case WM_MOUSEMOVE:
        return OnMouseMove(wParam, PointOf(lParam));
    case WM_LBUTTONUP:
        return OnLButtonUp(PointOf(lParam));
    case WM_TIMER:
        return OnTimer(wParam);
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
        OnRightButtonUp(PointOf(lParam));
        return Default();
    case WM_LBUTTONDBLCLK: {
        const LRESULT result = Default();
        OnDoubleClick(PointOf(lParam));
        return result;
    }
    case WM_CAPTURECHANGED:
        return OnCaptureChanged(reinterpret_cast<HWND>(lParam));
    case WM_DESTROY:
        return OnDestroy();
    default:
        break;
    }
    return CListBox::WindowProc(message, wParam, lParam);
}

bool CDragListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    switch (message) {
    case WM_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        *pResult = TRUE;
        return true;
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        mis->itemHeight = brindlex::kRowHeight;
        mis->itemWidth = brindlex::kRowMeasureWidth;
        *pResult = TRUE;
        return true;
    }
    case WM_VKEYTOITEM:
        *pResult = OnVKeyToItem(wParam);
        return true;
    case WM_COMMAND:
        if (HIWORD(wParam) == LBN_SELCHANGE) {
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
    StopAutoScroll();
    m_nDragFrom = -1;
    m_nDropAt = -1;
    m_bDragging = false;
    bool outside = true;
    const int row = ItemFromPoint(point, &outside);
    if (!outside && row >= 0) {
        m_nDragFrom = row;
        SetCurrent(row);
    }
    return result;
}

LRESULT CDragListBox::OnMouseMove(WPARAM keys, POINT point) {
    if ((keys & MK_LBUTTON) == 0 || m_nDragFrom == -1) {
        return Default();
    }
    // While a row is dragged the list box's own mouse tracking stays out: it would move the
    // selection after the pointer and scroll on its own timer, and the selected row must stay
    // the current (dragged) row.
    if (!m_bDragging) {
        SetCapture();
        m_bDragging = true;
    }
    bool outside = true;
    const int row = ItemFromPoint(point, &outside);
    const int count = RowCount();
    RECT last{};
    const bool hasRows = count > 0 && GetItemRect(count - 1, &last);
    const RECT client = GetClientRect();
    int target = -1;
    switch (brindlex::ClassifyDragPoint({point.x, point.y}, outside, last.bottom, hasRows, ToRect(client))) {
    case brindlex::DragZone::OverRow:
        StopAutoScroll();
        target = row;
        break;
    case brindlex::DragZone::BelowRows:
        StopAutoScroll();
        target = -1;
        break;
    case brindlex::DragZone::Outside:
        AutoScroll(point, client);
        return 0;
    }
    if (target != m_nDropAt) {
        DrawDropMarker(target);
    }
    return 0;
}

LRESULT CDragListBox::OnLButtonUp(POINT point) {
    bool dropped = false;
    if (m_nDragFrom != -1 && m_bDragging) {
        EndDrag();
        if (Contains(GetClientRect(), point)) {
            DropDraggedRow();
            dropped = true;
        } else {
            Invalidate(true); // takes the marker away; nothing moves
            UpdateWindow();
        }
    }
    m_nDragFrom = -1;
    m_nDropAt = -1;
    if (!dropped) {
        SetCurrent(ItemFromPoint(point, nullptr)); // the row nearest the release point
    }
    return Default();
}

LRESULT CDragListBox::OnTimer(WPARAM id) {
    if (id == static_cast<WPARAM>(brindlex::kTimerScrollDown) ||
        id == static_cast<WPARAM>(brindlex::kTimerScrollUp)) {
        if (!m_bDragging) {
            KillTimer(id);
            return 0;
        }
        const int step = id == static_cast<WPARAM>(brindlex::kTimerScrollDown) ? +1 : -1;
        DrawDropMarker(m_nDropAt + step);
        SetTopIndex(GetTopIndex() + step);
    }
    return Default();
}

LRESULT CDragListBox::OnKeyUp(WPARAM vk) {
    if (vk == VK_INSERT) {
        BeginInplaceEdit();
    } else if (vk == VK_DELETE) {
        OnDeleteKey();
    }
    return Default();
}

LRESULT CDragListBox::OnCaptureChanged(HWND hWndNew) {
    // Someone else took the mouse (a message box, a window switch): the drag ends, nothing moves.
    if (m_bDragging && hWndNew != m_hWnd) {
        EndDrag();
        m_nDragFrom = -1;
        m_nDropAt = -1;
        Invalidate(true);
    }
    return Default();
}

LRESULT CDragListBox::OnDestroy() {
    // An open editor goes with the list, without renaming anything.
    CloseEditorWithoutRename();
    StopAutoScroll();
    if (m_pLibrary != nullptr) {
        m_pLibrary->RemoveObserver(this);
        m_pLibrary = nullptr;
    }
    const LRESULT result = Default();
    m_nCurSel = -1;
    m_records.clear();
    return result;
}

LRESULT CDragListBox::OnVKeyToItem(WPARAM wParam) {
    const WPARAM vk = LOWORD(wParam);
    if (vk != VK_UP && vk != VK_DOWN) {
        return -1; // the list box's own handling; a changed selection comes back as LBN_SELCHANGE
    }
    const int target = brindlex::ArrowKeyTarget(vk == VK_UP, static_cast<int>(HIWORD(wParam)), RowCount());
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

// ---------------------------------------------------------------------------------------------
// Drawing

void CDragListBox::DrawItem(const DRAWITEMSTRUCT& dis) const {
    if (dis.itemID == static_cast<UINT>(-1)) {
        return; // the focus of an empty list: no focus rectangle is ever drawn
    }
    const brindlex::RowLooks looks =
        brindlex::RowLooksToDraw((dis.itemAction & ODA_DRAWENTIRE) != 0, (dis.itemAction & ODA_SELECT) != 0,
                                 (dis.itemState & ODS_SELECTED) != 0);
    if (!looks.normal && !looks.selected) {
        return;
    }
    const std::u16string* name = RecordName(GetRecord(static_cast<int>(dis.itemID)));
    const int oldMode = ::SetBkMode(dis.hDC, TRANSPARENT);
    DrawLook(dis.hDC, dis.rcItem, name, looks.selected);
    ::SetBkMode(dis.hDC, oldMode);
}

void CDragListBox::DrawLook(HDC hDC, const RECT& row, const std::u16string* name, bool selected) const {
    if (selected) {
        brindlex::FillSolidRect(hDC, row, m_clrSelBack);
    } else if (m_bFillBackground) {
        brindlex::FillSolidRect(hDC, row, m_clrBack);
    }
    if (m_bDrawEdge) {
        RECT edge = row;
        ::DrawEdge(hDC, &edge, EDGE_SUNKEN, BF_BOTTOM);
    }
    const HICON hIcon = selected && m_hSelectedIcon ? m_hSelectedIcon.get() : m_hIcon.get();
    if (hIcon != nullptr) {
        const brindlex::Point at = brindlex::RowIconPosition(ToRect(row));
        ::DrawIconEx(hDC, at.x, at.y, hIcon, brindlex::kRowIconSize, brindlex::kRowIconSize, 0, nullptr,
                     DI_NORMAL);
    }
    if (name == nullptr || name->empty()) {
        return;
    }
    SIZE extent{};
    ::GetTextExtentPoint32W(hDC, W(*name), static_cast<int>(name->size()), &extent);
    RECT text = ToRECT(brindlex::RowTextRect(ToRect(row), extent.cy));
    const COLORREF oldColour = ::SetTextColor(hDC, selected ? m_clrSelText : RGB(0, 0, 0));
    // One line, clipped at the row; an '&' in a name is shown as it is, not as a mnemonic.
    ::DrawTextW(hDC, W(*name), static_cast<int>(name->size()), &text, DT_SINGLELINE | DT_NOPREFIX);
    ::SetTextColor(hDC, oldColour);
}

// ---------------------------------------------------------------------------------------------
// Drag and drop

void CDragListBox::DrawDropMarker(int index) {
    CClientDC dc(m_hWnd);
    if (!dc) {
        m_nDropAt = index;
        return;
    }
    if (m_nDropAt != m_nDragFrom) {
        DrawMarkerLine(dc.get(), m_nDropAt, RGB(255, 255, 255));
    }
    m_nDropAt = index;
    if (index != m_nDragFrom) {
        DrawMarkerLine(dc.get(), index, RGB(0, 0, 0));
    }
}

void CDragListBox::DrawMarkerLine(HDC hDC, int position, COLORREF colour) const {
    RECT row{};
    bool hasRow = false;
    if (position >= 0) {
        hasRow = GetItemRect(position, &row);
    } else if (position == -1) {
        const int count = RowCount();
        hasRow = count > 0 && GetItemRect(count - 1, &row);
    }
    const brindlex::MarkerLine line =
        brindlex::DropMarkerLine(position, hasRow, ToRect(row), ToRect(GetClientRect()));
    if (!line.visible) {
        return;
    }
    CPenHandle pen(::CreatePen(PS_SOLID, 2, colour));
    CGdiSelection select(hDC, pen.get());
    ::MoveToEx(hDC, line.x1, line.y, nullptr);
    ::LineTo(hDC, line.x2, line.y);
}

void CDragListBox::AutoScroll(POINT point, const RECT& client) {
    const brindlex::ScrollRequest request = brindlex::AutoScrollRequest(point.y, client.bottom - client.top);
    if (request.step == 0) {
        return; // beside the list: whatever runs keeps running
    }
    const int period = brindlex::AutoScrollPeriod(request.distance, GetItemHeight(0));
    if (period == m_nScrollPeriod && request.step == m_nScrollStep) {
        return; // same band on the same side: neither scroll nor restart the timer
    }
    // One direction at a time: two running timers would scroll down and up in turn.
    KillTimer(request.step > 0 ? brindlex::kTimerScrollUp : brindlex::kTimerScrollDown);
    m_nScrollPeriod = period;
    m_nScrollStep = request.step;
    SetTimer(request.step > 0 ? brindlex::kTimerScrollDown : brindlex::kTimerScrollUp,
             static_cast<UINT>(period));
    DrawDropMarker(m_nDropAt + request.step);
    SetTopIndex(GetTopIndex() + request.step);
}

void CDragListBox::StopAutoScroll() {
    if (m_hWnd != nullptr) {
        KillTimer(brindlex::kTimerScrollDown);
        KillTimer(brindlex::kTimerScrollUp);
    }
    m_nScrollPeriod = 0;
    m_nScrollStep = 0;
}

void CDragListBox::EndDrag() {
    StopAutoScroll();
    m_bDragging = false;
    if (::GetCapture() == m_hWnd) {
        ::ReleaseCapture();
    }
}

void CDragListBox::DropDraggedRow() {
    const int count = RowCount();
    const int from = m_nDragFrom;
    const int to = brindlex::NormaliseDropPosition(m_nDropAt, count);
    if (from >= 0 && from < count && from != to) {
        SetRedraw(false);
        const int top = GetTopIndex();
        MoveRecord(from, to); // the model moves it and makes it current; the rows follow
        SetTopIndex(top);
        SetRedraw(true);
        Invalidate(true);
        UpdateWindow();
    }
    ::SendMessageW(GetParent(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(m_hWnd));
}

// ---------------------------------------------------------------------------------------------
// In-place rename

void CDragListBox::BeginInplaceEdit() {
    if (m_hWnd == nullptr || m_nCurSel == -1) {
        return;
    }
    if (m_wndEdit.IsWindow()) {
        EndInplaceEdit(true);
    }
    RECT r{};
    if (m_nCurSel == -1 || !GetItemRect(m_nCurSel, &r)) {
        return;
    }
    r.top -= 2;
    r.bottom += 2;
    const LPARAM record = GetRecord(m_nCurSel);
    const std::u16string* name = RecordName(record);
    if (name == nullptr) {
        return;
    }
    const int index = m_nCurSel;
    if (m_wndEdit.Open(m_hWnd, r, *name)) {
        m_nEditIndex = index;
        m_editRecord = record;
    }
}

void CDragListBox::CloseEditorWithoutRename() {
    // The focus loss of the destruction comes back as WM_INPLACE_EDIT_END: it must find nothing
    // to do, and above all not destroy the editor a second time.
    m_nEditIndex = -1;
    m_editRecord = 0;
    m_bEndingEdit = true;
    m_wndEdit.DestroyWindow();
    m_bEndingEdit = false;
}

void CDragListBox::EndInplaceEdit(bool accept) {
    if (m_bEndingEdit || !m_wndEdit.IsWindow()) {
        return;
    }
    m_bEndingEdit = true;
    if (accept && m_nEditIndex != -1 && m_editRecord != 0) {
        // The rows may have changed under the editor: the rename goes to the record it was
        // opened for, wherever that is now, and to nothing if it is gone.
        const int index = GetRecord(m_nEditIndex) == m_editRecord ? m_nEditIndex : FindRow(m_editRecord);
        const std::u16string* name = index >= 0 ? RecordName(m_editRecord) : nullptr;
        const std::u16string text = m_wndEdit.GetWindowText();
        if (name != nullptr && text != *name) {
            const std::u16string previous = *name;
            RenameRecord(index, text);
            if ((GetStyle() & LBS_NOTIFY) != 0) {
                ::SendMessageW(GetParent(), WM_LIST_NAME_CHANGED, static_cast<WPARAM>(index),
                               reinterpret_cast<LPARAM>(W(previous)));
            }
        }
    }
    // Cleared first: the focus loss that the destruction causes finds nothing to accept.
    m_nEditIndex = -1;
    m_editRecord = 0;
    if (::GetFocus() == m_wndEdit.GetSafeHwnd()) {
        SetFocus(); // Enter or Escape: the keyboard goes back to the list
    }
    m_wndEdit.DestroyWindow();
    m_bEndingEdit = false;
}
