// The main window's messages as commands: which messages carry one and what it is. Whether a
// command runs, waits or is dropped while a paste runs is the core's rule (CHeldCommands).
#include "win/app/CommandFromMessage.h"

#include "core/app/CommandIds.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <ostream>

namespace brindlex {

void PrintTo(const AppCommand& c, std::ostream* os) {
    *os << "kind " << static_cast<int>(c.kind) << " item " << c.pItem << " row " << c.nGroup << "," << c.nItem
        << " sys " << c.nSysCommand << "," << c.nSysPoint;
}

} // namespace brindlex

using namespace brindlex;

namespace {

constexpr UINT kTaskbarCreated = 0xC123;

struct Case {
    const char* what;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::optional<AppCommand> command;
};

WPARAM Command(unsigned id, unsigned code) {
    return MAKEWPARAM(id, code);
}

} // namespace

TEST(CommandFromMessage, EveryWayOfAskingBecomesItsCommandAndOtherMessagesNone) {
    using K = CommandKind;
    const LPARAM button = 0x5678; // a control's window
    const Case cases[] = {
        {"a click on the tray icon", WM_TRAY_CALLBACK, 0, WM_LBUTTONDOWN, K::ShowMainWindow},
        {"a double click on it", WM_TRAY_CALLBACK, 0, WM_LBUTTONDBLCLK, K::ShowMainWindow},
        {"a right click on it", WM_TRAY_CALLBACK, 0, WM_RBUTTONUP, K::ShowTrayMenu},
        {"the pointer over it", WM_TRAY_CALLBACK, 0, WM_MOUSEMOVE, std::nullopt},
        {"Exit from the tray menu", WM_COMMAND, Command(ID_TRAY_EXIT, 0), 0, K::Exit},
        {"another program asks us to exit", WM_EXIT_APP, 0, 0, K::Exit},
        {"a menu id from a control", WM_COMMAND, Command(ID_TRAY_EXIT, 0), button, std::nullopt},
        {"Hide of More", WM_COMMAND, Command(ID_MENU_HIDE, 0), 0, K::ToggleMainWindow},
        {"Export of More", WM_COMMAND, Command(ID_MENU_EXPORT, 0), 0, K::ExportText},
        {"another target chosen", WM_COMMAND, Command(IDC_TARGET_WINDOW, CBN_SELCHANGE), button,
         K::ChooseTarget},
        {"the target list dropped down", WM_COMMAND, Command(IDC_TARGET_WINDOW, CBN_DROPDOWN), button,
         std::nullopt},
        {"\">\"", WM_COMMAND, Command(IDC_NEXT_WINDOW, BN_CLICKED), button, K::NextTarget},
        {"Paste", WM_COMMAND, Command(IDC_PASTE, BN_CLICKED), button, K::Paste},
        {"Paste clicked by another program", WM_COMMAND, Command(IDC_PASTE, BN_CLICKED), 0, K::Paste},
        {"Add item", WM_COMMAND, Command(IDC_ADD_ITEM, BN_CLICKED), button, AppCommand::Edit(nullptr)},
        {"Edit folder", WM_COMMAND, Command(IDC_EDIT_GROUP, BN_CLICKED), button, K::RenameGroup},
        {"Esc", WM_COMMAND, Command(IDCANCEL, BN_CLICKED), 0, K::HideMainWindow},
        {"Enter", WM_COMMAND, Command(IDOK, BN_CLICKED), 0, std::nullopt},
        {"the focus went to the target", WM_COMMAND, Command(IDC_ITEM_LIST, LBN_KILLFOCUS), button,
         std::nullopt},
        {"the show/hide hotkey", WM_HOTKEY, HOTKEY_SHOW_HIDE, 0, K::ToggleMainWindow},
        {"the quick-paste hotkey", WM_HOTKEY, HOTKEY_QUICK_PASTE, 0, K::QuickPaste},
        {"a hotkey of no one", WM_HOTKEY, 7, 0, std::nullopt},
        {"About of the system menu", WM_SYSCOMMAND, IDM_ABOUTBOX, 0, K::ShowAbout},
        {"Close of the system menu", WM_SYSCOMMAND, SC_CLOSE, 0x00200010,
         AppCommand::System(SC_CLOSE, 0x00200010)},
        {"edit an item", WM_EDIT_ITEM, 0xDEAD, 0, AppCommand::Edit(reinterpret_cast<CPasteItem*>(0xDEAD))},
        {"a new item saved", WM_EDITOR_CLOSED, 1, 1, K::NewItemSaved},
        {"an item saved", WM_EDITOR_CLOSED, 1, 0, K::EditorClosed},
        {"the editor cancelled", WM_EDITOR_CLOSED, 0, 1, K::EditorClosed},
        {"Explorer restarted", kTaskbarCreated, 0, 0, K::RestoreTrayIcon},
        {"Ctrl+F", WM_SHOW_FIND, 0, 0, K::ShowFind},
        {"Enter in Find", WM_FIND_CHOOSE, 2, 7, AppCommand(K::ChooseFound, 2, 7)},
        {"Ctrl+Enter in Find", WM_FIND_PASTE, 2, 7, AppCommand(K::PasteFound, 2, 7)},
        {"a row out of range", WM_FIND_CHOOSE, static_cast<WPARAM>(-1), 0x100000000LL,
         AppCommand(K::ChooseFound, -1, -1)},
        {"a negative item", WM_QUICK_PASTE_CHOOSE, 0x7FFFFFFF, -1,
         AppCommand(K::PasteQuickItem, 0x7FFFFFFF, -1)},
        {"Esc in the popup", WM_QUICK_PASTE_CLOSED, 1, 0, K::QuickPasteClosed},
        {"a click beside the popup", WM_QUICK_PASTE_CLOSED, 0, 0, K::QuickPasteDeactivated},
        {"the settings", WM_SHOW_SETTINGS, 0, 0, K::ShowSettings},
        {"the settings closed", WM_SETTINGS_CLOSED, 0, 0, K::SettingsClosed},
        {"the about box closed", WM_ABOUT_CLOSED, 0, 0, K::AboutClosed},
        {"Find closed", WM_FIND_CLOSED, 0, 0, K::FindClosed},
        {"the session ends", WM_QUERYENDSESSION, 0, 0, std::nullopt},
        {"the session ended", WM_ENDSESSION, 1, 0, std::nullopt},
        {"activation", WM_ACTIVATE, 0, 0, std::nullopt},
        {"another program reads our title", WM_GETTEXT, 10, 0x1000, std::nullopt},
        {"a save ended", WM_LIBRARY_WRITTEN, 0, 0, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CommandFromMessage(c.message, c.wParam, c.lParam, kTaskbarCreated), c.command) << c.what;
    }
    EXPECT_EQ(CommandFromMessage(WM_NULL, 0, 0, 0), std::nullopt) << "no taskbar message registered";
}
