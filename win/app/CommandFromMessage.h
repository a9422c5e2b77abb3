// The one place where a message to the main window becomes a command: its buttons, menus and
// target row (WM_COMMAND), the system menu (WM_SYSCOMMAND), the hotkeys (WM_HOTKEY), the
// notification-area icon, the taskbar's re-creation message, and the private messages that other
// programs send (the installer's WM_EXIT_APP among them). Everything else is no command and is
// handled as it comes, also while a paste runs: the clipboard's and the session's messages,
// activation, painting, the controls' other notifications and other programs' questions.
#pragma once

#include "core/app/AppCommand.h"
#include "win/framework/Win32.h"

#include <optional>

namespace brindlex {

// taskbarCreatedMessage: the shell's registered "TaskbarCreated" (0: none).
std::optional<AppCommand> CommandFromMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT taskbarCreatedMessage);

} // namespace brindlex
