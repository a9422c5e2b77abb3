#include "win/app/CommandFromMessage.h"

#include "core/app/CommandIds.h"
#include "win/framework/MessageParams.h"
#include "res/resource.h"

#include <climits>

namespace brindlex {

namespace {

using K = CommandKind;

// A row's group and item as another program may send them: out of the range of an index, none.
int GroupParam(WPARAM value) {
    return value <= static_cast<WPARAM>(INT_MAX) ? static_cast<int>(value) : -1;
}
int ItemParam(LPARAM value) {
    return value >= 0 && value <= INT_MAX ? static_cast<int>(value) : -1;
}

// The entries of the icon's menu and of "More".
std::optional<AppCommand> MenuCommand(unsigned id) {
    switch (id) {
    case ID_TRAY_SHOWHIDE:
    case ID_MENU_HIDE:
        return K::ToggleMainWindow;
    case ID_TRAY_EXIT:
        return K::Exit;
    case ID_TRAY_ABOUT:
    case ID_MENU_ABOUT:
        return K::ShowAbout;
    case ID_TRAY_SETTINGS:
    case ID_MENU_SETTINGS:
        return K::ShowSettings;
    case ID_TRAY_FIND:
    case ID_MENU_FIND:
        return K::ShowFind;
    case ID_TRAY_HELP:
    case ID_MENU_HELP:
        return K::ShowHelp;
    case ID_MENU_ALWAYS_ON_TOP:
        return K::ToggleAlwaysOnTop;
    case ID_MENU_EXPORT:
        return K::ExportText;
    default:
        return std::nullopt;
    }
}

// A click on one of the main window's buttons; IDCANCEL is Esc and the close box.
std::optional<AppCommand> ButtonCommand(unsigned id) {
    switch (id) {
    case IDC_MENU_BUTTON:
        return K::ShowMoreMenu;
    case IDC_ALWAYS_ON_TOP:
        return K::ToggleAlwaysOnTop;
    case IDC_ADD_ITEM:
        return AppCommand::Edit(nullptr);
    case IDC_PASTE:
        return K::Paste;
    case IDC_ADD_GROUP:
        return K::AddGroup;
    case IDC_EDIT_GROUP:
        return K::RenameGroup;
    case IDC_DELETE_GROUP:
        return K::DeleteGroup;
    case IDC_EDIT_ITEM:
        return K::EditCurrentItem;
    case IDC_DELETE_ITEM:
        return K::DeleteCurrentItem;
    case IDC_PREV_WINDOW:
        return K::PreviousTarget;
    case IDC_NEXT_WINDOW:
        return K::NextTarget;
    case IDCANCEL:
        return K::HideMainWindow;
    default:
        return std::nullopt;
    }
}

std::optional<AppCommand> FromWmCommand(WPARAM wParam, LPARAM lParam) {
    const unsigned id = CommandId(wParam);
    const unsigned code = CommandCode(wParam);
    if (lParam == 0) {
        if (std::optional<AppCommand> command = MenuCommand(id)) {
            return command;
        }
    }
    if (id == IDC_TARGET_WINDOW && code == CBN_SELCHANGE) {
        return K::ChooseTarget;
    }
    return code == BN_CLICKED ? ButtonCommand(id) : std::nullopt;
}

std::optional<AppCommand> FromTrayCallback(LPARAM mouseMessage) {
    switch (static_cast<UINT>(mouseMessage)) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return K::ShowMainWindow;
    case WM_RBUTTONUP:
        return K::ShowTrayMenu;
    default:
        return std::nullopt;
    }
}

} // namespace

std::optional<AppCommand> CommandFromMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT taskbarCreatedMessage) {
    switch (message) {
    case WM_COMMAND:
        return FromWmCommand(wParam, lParam);
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == IDM_ABOUTBOX) {
            return K::ShowAbout;
        }
        return AppCommand::System(wParam, lParam);
    case WM_HOTKEY:
        if (wParam == static_cast<WPARAM>(HOTKEY_SHOW_HIDE)) {
            return K::ToggleMainWindow;
        }
        if (wParam == static_cast<WPARAM>(HOTKEY_QUICK_PASTE)) {
            return K::QuickPaste;
        }
        return std::nullopt;
    case WM_TRAY_CALLBACK:
        return FromTrayCallback(lParam);
    case WM_SHOW_SETTINGS:
        return K::ShowSettings;
    case WM_SETTINGS_CLOSED:
        return K::SettingsClosed;
    case WM_SHOW_ABOUT:
        return K::ShowAbout;
    case WM_ABOUT_CLOSED:
        return K::AboutClosed;
    case WM_EDIT_ITEM:
        return AppCommand::Edit(reinterpret_cast<CPasteItem*>(wParam));
    case WM_EDITOR_CLOSED:
        return wParam == 1 && lParam == 1 ? K::NewItemSaved : K::EditorClosed;
    case WM_EXIT_APP:
        return K::Exit;
    case WM_SHOW_FIND:
        return K::ShowFind;
    case WM_FIND_CLOSED:
        return K::FindClosed;
    case WM_FIND_CHOOSE:
        return AppCommand(K::ChooseFound, GroupParam(wParam), ItemParam(lParam));
    case WM_FIND_PASTE:
        return AppCommand(K::PasteFound, GroupParam(wParam), ItemParam(lParam));
    case WM_QUICK_PASTE_CHOOSE:
        return AppCommand(K::PasteQuickItem, GroupParam(wParam), ItemParam(lParam));
    case WM_QUICK_PASTE_CLOSED:
        return wParam != 0 ? K::QuickPasteClosed : K::QuickPasteDeactivated;
    default:
        if (message == taskbarCreatedMessage && message != 0) {
            return K::RestoreTrayIcon;
        }
        return std::nullopt;
    }
}

} // namespace brindlex
