// What the user asked the main window for, whichever way the request came: a button, a menu
// entry, a hotkey, the notification-area icon, one of the lists or dialogs, or another program's
// message. The window procedure turns messages into these; the lists and dialogs report them
// through ICommandHost; a paste holds them in CHeldCommands.
#pragma once

#include <cstdint>

namespace brindlex {

class CPasteItem;

enum class CommandKind {
    ShowMainWindow,   // a click on the notification-area icon
    ToggleMainWindow, // Show/Hide of the icon's menu, Hide of "More", the show/hide hotkey
    HideMainWindow,   // Esc and the close box
    ShowTrayMenu,     // a right click on the icon
    ShowMoreMenu,
    Exit,
    ShowAbout,
    AboutClosed,
    ShowSettings,
    SettingsClosed,
    ShowFind,
    FindClosed,
    ChooseFound, // Enter in Find: the row's item becomes current
    PasteFound,  // Ctrl+Enter and Paste in Find: the same, then it is pasted
    ShowHelp,
    ToggleAlwaysOnTop,
    ExportText,
    AddGroup,
    RenameGroup,
    DeleteGroup,
    EditItem, // open the editor for pItem, or for a new item when it is null
    EditCurrentItem,
    DeleteCurrentItem,
    EditorClosed, // Cancel, or Save of an item of the library
    NewItemSaved, // Save of a new item: the editor holds it for the main window to take
    Paste,
    ChooseTarget, // the user chose an entry of the target list
    PreviousTarget,
    NextTarget,
    QuickPaste,            // the quick-paste hotkey
    PasteQuickItem,        // Enter or a double click in the popup
    QuickPasteClosed,      // Esc or its close box: the focus goes back to where the user was
    QuickPasteDeactivated, // a click elsewhere: the focus stays where the user clicked
    RestoreTrayIcon,       // Explorer restarted and the icon must come back
    SystemCommand,         // another entry of the system menu: the system's own handling
};

struct AppCommand {
    // A command without parameters.
    AppCommand(CommandKind k) : kind(k) {}
    // ChooseFound, PasteFound, PasteQuickItem: a row of the library, checked against it when run.
    AppCommand(CommandKind k, int group, int item) : kind(k), nGroup(group), nItem(item) {}
    static AppCommand Edit(CPasteItem* item) {
        AppCommand command(CommandKind::EditItem);
        command.pItem = item;
        return command;
    }
    // The system's command and its point, handed back to the system as they came.
    static AppCommand System(std::uintptr_t code, std::intptr_t point) {
        AppCommand command(CommandKind::SystemCommand);
        command.nSysCommand = code;
        command.nSysPoint = point;
        return command;
    }

    bool operator==(const AppCommand&) const = default;

    CommandKind kind;
    // EditItem: any program can name an item, so only one of the library's is ever looked at.
    CPasteItem* pItem = nullptr;
    int nGroup = -1;
    int nItem = -1;
    std::uintptr_t nSysCommand = 0;
    std::intptr_t nSysPoint = 0;
};

} // namespace brindlex
