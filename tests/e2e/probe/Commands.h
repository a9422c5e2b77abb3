// The probe's commands, by the file that holds them; probe.cpp names them in its tables. Each takes
// the arguments after its name and answers one line, or fails with ProbeFailure.
#pragma once

#include "tests/e2e/probe/ProbeSupport.h"

namespace probe {

// WindowCommands.cpp: finding windows and reading their texts, places, state and z-order
std::string MainCmd(const Args& a);
std::string FindCmd(const Args& a);
std::string GoneCmd(const Args& a);
std::string CountCmd(const Args& a);
std::string ItemCmd(const Args& a);
std::string ChildCmd(const Args& a);
std::string DescendantCmd(const Args& a);
std::string TextCmd(const Args& a);
std::string SetTextCmd(const Args& a);
std::string ClientRectCmd(const Args& a);
std::string WindowRectCmd(const Args& a);
std::string ChildRectCmd(const Args& a);
std::string OverlapCmd(const Args& a);
std::string ResizeClientCmd(const Args& a);
std::string VisibleCmd(const Args& a);
std::string RedrawCmd(const Args& a);
std::string PaintedCmd(const Args& a);
std::string TopmostCmd(const Args& a);
std::string CaretCmd(const Args& a);
std::string WorkAreaCmd(const Args& a);
std::string ForegroundCmd(const Args& a);
std::string ActivateCmd(const Args& a);
std::string AboveCmd(const Args& a);

// InputCommands.cpp: messages, clicks, keys and typing
std::string SendCmd(const Args& a);
std::string PostCmd(const Args& a);
std::string DpiChangedCmd(const Args& a);
std::string ClickCmd(const Args& a);
std::string ClickThenCmd(const Args& a);
std::string LongestHoldCmd(const Args& a);
std::string KeyDownCmd(const Args& a);
std::string KeysCmd(const Args& a);
std::string TypeTimeCmd(const Args& a);
std::string HotkeyTimeCmd(const Args& a);

// ControlCommands.cpp: list boxes, list views, combo boxes, popup menus and message boxes
std::string LbCountCmd(const Args& a);
std::string LbSelCmd(const Args& a);
std::string LbRectCmd(const Args& a);
std::string LvTextCmd(const Args& a);
std::string LvCountCmd(const Args& a);
std::string LvSelCmd(const Args& a);
std::string ComboCmd(const Args& a);
std::string MenuCmd(const Args& a);
std::string MsgBoxCmd(const Args& a);
std::string NoMsgBoxCmd(const Args& a);
std::string AnswerCmd(const Args& a);

// SystemCommands.cpp: processes, the tray, GDI and memory use, the clipboard, broadcasts, shortcuts
std::string PidCmd(const Args& a);
std::string WaitExitCmd(const Args& a);
std::string TerminateCmd(const Args& a);
std::string TrayDeleteCmd(const Args& a);
std::string TrayExistsCmd(const Args& a);
std::string TrayIconCmd(const Args& a);
std::string GuiResCmd(const Args& a);
std::string GdiTypesCmd(const Args& a);
std::string ClipboardCmd(const Args& a);
std::string ClipDigestCmd(const Args& a);
std::string SetClipboardCmd(const Args& a);
std::string BroadcastCmd(const Args& a);
std::string ShortcutCmd(const Args& a);

// StreamingCommands.cpp: they block or stream for their whole run, in a process of their own; their exit code
int KeyWatch(const Args& a);
int HoldClipboard(const Args& a);
int HoldFile(const Args& a);
int RunLimited(const Args& a);

} // namespace probe
