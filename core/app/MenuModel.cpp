#include "core/app/MenuModel.h"

#include "core/app/CommandIds.h"

namespace brindlex {

std::vector<MenuEntry> TrayMenuEntries(bool visible) {
    return {
        {ID_TRAY_SHOWHIDE, visible ? u"&Hide" : u"&Show"},
        {ID_TRAY_FIND, u"&Find..."},
        {},
        {ID_TRAY_SETTINGS, u"S&ettings..."},
        {},
        {ID_TRAY_HELP, u"Help"},
        {ID_TRAY_ABOUT, u"A&bout..."},
        {},
        {ID_TRAY_EXIT, u"E&xit"},
    };
}

std::vector<MenuEntry> MainMenuEntries(bool alwaysOnTop) {
    return {
        {ID_MENU_HIDE, u"&Hide"},
        {ID_MENU_ALWAYS_ON_TOP, u"&Always on top", alwaysOnTop},
        {},
        {ID_MENU_FIND, u"&Find...\tCtrl+F"},
        {ID_MENU_SETTINGS, u"&Settings..."},
        {ID_MENU_EXPORT, u"&Export to text file..."},
        {},
        {ID_MENU_HELP, u"Help"},
        {ID_MENU_ABOUT, u"A&bout..."},
    };
}

} // namespace brindlex
