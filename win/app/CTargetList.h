// The target-window drop-down (control 1017): rebuilt from the top-level windows whenever the
// main window comes to the front, stepping with "<" and ">", and the window a paste goes to.
#pragma once

#include "core/app/CTargetListModel.h"
#include "win/framework/Win32.h"

namespace brindlex {

class CTargetList {
public:
    CTargetList();

    void Attach(HWND hCombo) { m_hCombo = hCombo; }

    // RefreshTargetList: empties the list and fills it anew; the first qualifying window in
    // Z order below the main window ends up selected.
    void Refresh(HWND hOwnMainWnd);
    // "<" and ">": step with wrap-around and bring the window to the front.
    void SelectPrevious();
    void SelectNext();
    // CBN_SELCHANGE: the user chose an entry.
    void OnSelectionChanged();
    // The selected entry's window, or nullptr.
    HWND SelectedWindow() const;

    const CTargetListModel& Model() const { return m_model; }

private:
    void SelectAndBringToFront(int index);
    void SyncSelectionFromCombo();

    HWND m_hCombo = nullptr;
    CTargetListModel m_model;
};

} // namespace brindlex
