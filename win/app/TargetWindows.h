// Fills the target-window list from the current top-level windows, in Z order.
#pragma once

#include "core/app/CTargetListModel.h"
#include "win/framework/Win32.h"

namespace brindlex {

// The filter tests, in their order: visible, not our own main window, no parent, no owner, not a
// tool window, not the desktop ("Progman").
bool IsTargetWindow(HWND hWnd, HWND hOwnMainWnd);

// RefreshTargetList's data side: empties the model and adds every qualifying window with its
// title (at most 255 units); the first one added ends up selected.
void CollectTargetWindows(CTargetListModel& model, HWND hOwnMainWnd);

// The comparison the sorted combo box uses for its entries.
int CompareTargetTitles(const std::u16string& a, const std::u16string& b);

// Brings a target to the front; `restore` also restores it when it is minimised.
void BringWindowToFront(HWND hWnd, bool restore);

} // namespace brindlex
