#include "win/app/CTargetList.h"

#include "win/app/TargetWindows.h"
#include "win/framework/WideString.h"
#include "res/resource.h"

namespace brindlex {

CTargetList::CTargetList() : m_model(CompareTargetTitles) {
}

void CTargetList::Refresh(HWND hOwnMainWnd) {
    CollectTargetWindows(m_model, hOwnMainWnd);
    if (m_hCombo == nullptr) {
        return;
    }
    // The model is already sorted, so the entries go in by position (CB_INSERTSTRING does not
    // re-sort) and the combo box's rows match the model's one for one.
    SendMessageW(m_hCombo, WM_SETREDRAW, FALSE, 0);
    SendMessageW(m_hCombo, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < m_model.Count(); ++i) {
        const TargetEntry& entry = m_model.Entry(i);
        const LRESULT row = SendMessageW(m_hCombo, CB_INSERTSTRING, static_cast<WPARAM>(i),
                                         reinterpret_cast<LPARAM>(W(entry.title)));
        SendMessageW(m_hCombo, CB_SETITEMDATA, static_cast<WPARAM>(row), static_cast<LPARAM>(entry.window));
    }
    SendMessageW(m_hCombo, CB_SETCURSEL, static_cast<WPARAM>(m_model.Selected()), 0);
    SendMessageW(m_hCombo, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_hCombo, nullptr, TRUE);
}

void CTargetList::SyncSelectionFromCombo() {
    if (m_hCombo != nullptr) {
        m_model.Select(static_cast<int>(SendMessageW(m_hCombo, CB_GETCURSEL, 0, 0)));
    }
}

void CTargetList::SelectAndBringToFront(int index) {
    if (index < 0) {
        return;
    }
    m_model.Select(index);
    if (m_hCombo != nullptr) {
        SendMessageW(m_hCombo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    BringWindowToFront(SelectedWindow(), true);
}

void CTargetList::SelectPrevious() {
    SyncSelectionFromCombo();
    SelectAndBringToFront(m_model.PreviousIndex());
}

void CTargetList::SelectNext() {
    SyncSelectionFromCombo();
    SelectAndBringToFront(m_model.NextIndex());
}

void CTargetList::OnSelectionChanged() {
    SyncSelectionFromCombo();
    BringWindowToFront(SelectedWindow(), true);
}

HWND CTargetList::SelectedWindow() const {
    const TargetEntry* entry = m_model.SelectedEntry();
    return entry != nullptr ? reinterpret_cast<HWND>(entry->window) : nullptr;
}

} // namespace brindlex
