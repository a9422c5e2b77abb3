// A popup menu of the main window, built anew each time it is shown, and never while one of them
// is shown: the menu's loop dispatches messages, and a tray message then must neither destroy the
// menu the user is looking at nor start a second one.
#pragma once

#include "core/app/MenuModel.h"
#include "win/framework/UniqueHandle.h"

#include <vector>

namespace brindlex {

class CPopupMenu {
public:
    // Builds the menu from `entries` in place of the previous one. False, with the previous one
    // kept, while any popup menu of ours is being tracked.
    bool Build(const std::vector<MenuEntry>& entries);
    // Tracks the menu at `at`, owned by hOwner; a chosen entry reaches hOwner as WM_COMMAND.
    // False while any popup menu of ours is being tracked already.
    bool Track(UINT flags, POINT at, HWND hOwner);
    HMENU GetSafeHandle() const { return m_menu.get(); }

    static bool IsAnyTracked() { return s_nTracked > 0; }

private:
    CMenuHandle m_menu;
    static int s_nTracked;
};

} // namespace brindlex
