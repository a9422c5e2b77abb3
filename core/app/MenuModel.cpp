#include "core/app/MenuModel.h"

#include "core/app/CommandIds.h"

namespace brindlex {

std::vector<MenuEntry> TrayMenuEntries(bool visible) {
    return {
        {kIdTrayShowHide, visible ? u"&Hide" : u"&Show"},
        {kIdTrayFind, u"&Find..."},
        {},
        {kIdTraySettings, u"S&ettings..."},
        {},
        {kIdTrayHelp, u"Help"},
        {kIdTrayAbout, u"A&bout..."},
        {},
        {kIdTrayExit, u"E&xit"},
    };
}

std::vector<MenuEntry> MainMenuEntries(bool alwaysOnTop) {
    return {
        {kIdMenuHide, u"&Hide"},
        {kIdMenuAlwaysOnTop, u"&Always on top", alwaysOnTop},
        {},
        {kIdMenuFind, u"&Find...\tCtrl+F"},
        {kIdMenuSettings, u"&Settings..."},
        {kIdMenuExport, u"&Export to text file..."},
        {},
        {kIdMenuHelp, u"Help"},
        {kIdMenuAbout, u"A&bout..."},
    };
}

}  // namespace brindlex
