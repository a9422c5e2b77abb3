// The contents of the two popup menus, built anew each time one is shown.
#pragma once

#include <vector>

namespace brindlex {

struct MenuEntry {
    int id = 0; // 0 for a separator
    const char16_t* text = nullptr;
    bool checked = false;
    bool IsSeparator() const { return id == 0; }
};

std::vector<MenuEntry> TrayMenuEntries(bool mainWindowVisible);
std::vector<MenuEntry> MainMenuEntries(bool alwaysOnTop);

} // namespace brindlex
