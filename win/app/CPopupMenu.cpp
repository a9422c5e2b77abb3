#include "win/app/CPopupMenu.h"

namespace brindlex {

int CPopupMenu::s_nTracked = 0;

namespace {

CMenuHandle BuildMenu(const std::vector<MenuEntry>& entries) {
    CMenuHandle menu(CreatePopupMenu());
    for (const MenuEntry& e : entries) {
        if (e.IsSeparator()) {
            AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(menu.get(), MF_STRING | (e.checked ? MF_CHECKED : 0), static_cast<UINT_PTR>(e.id),
                        reinterpret_cast<const wchar_t*>(e.text));
        }
    }
    return menu;
}

} // namespace

bool CPopupMenu::Build(const std::vector<MenuEntry>& entries) {
    if (IsAnyTracked()) {
        return false;
    }
    m_menu = BuildMenu(entries);
    return true;
}

bool CPopupMenu::Track(UINT flags, POINT at, HWND hOwner) {
    if (IsAnyTracked() || !m_menu) {
        return false;
    }
    ++s_nTracked;
    const BOOL tracked = TrackPopupMenu(m_menu.get(), flags, at.x, at.y, 0, hOwner, nullptr);
    --s_nTracked;
    return tracked != FALSE;
}

} // namespace brindlex
