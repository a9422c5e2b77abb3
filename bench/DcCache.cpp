// Wine's cache of window DCs, with no code of the program: a main window of 8 controls and a
// dialog of 6 controls over it, opened and closed again and again, as the soak does with the
// program's windows. Prints the process's DCs, regions and surfaces after each step; then the
// bitmaps that Wine makes once for a process, for its first scroll bar and its first I-beam cursor.
//
// Under Wine each window that paints takes two DCs of the cache (one for its frame, one for its
// client area; each with a region and a surface) and keeps them until it moves, something moves
// over it or it is destroyed. The cache grows to the most DCs held at one time and keeps them, up
// to 64; beyond that it reuses them. So the count steps up whenever more windows than ever before
// hold their DCs at once, and at 64 it stops.
//   wine DcCache.exe      (bench/dccache.sh builds and runs it)
#include "tests/e2e/probe/GdiCount.h"
#include "win/framework/Win32.h"

#include <cstdio>
#include <string>

namespace {

constexpr int kMainControls = 8;
constexpr int kDialogControls = 6;
constexpr int kBigDialogControls = 30;

HWND g_main = nullptr;

// Paints the window, its frame and its children now, as when it is uncovered.
void PaintAll(HWND h) {
    RedrawWindow(h, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

void Report(const char* step) {
    long dc = 0, region = 0, surface = 0;
    const std::string kinds = probe::GdiObjectsByType(GetCurrentProcess());
    std::sscanf(kinds.c_str(), "dc %ld region %ld surface %ld", &dc, &region, &surface);
    std::printf("%-58s dc %3ld region %3ld surface %3ld\n", step, dc, region, surface);
}

void ReportBitmaps(const char* step) {
    long bitmaps = 0;
    const std::string kinds = probe::GdiObjectsByType(GetCurrentProcess());
    const std::size_t at = kinds.find("bitmap ");
    if (at != std::string::npos) {
        std::sscanf(kinds.c_str() + at, "bitmap %ld", &bitmaps);
    }
    std::printf("%-58s bitmap %3ld\n", step, bitmaps);
}

// A row of buttons and labels in the parent's client area, as a dialog template gives them.
void AddControls(HWND parent, int count) {
    for (int i = 0; i < count; ++i) {
        const wchar_t* cls = i % 2 == 0 ? L"BUTTON" : L"STATIC";
        CreateWindowExW(0, cls, L"Control", WS_CHILD | WS_VISIBLE, 10 + (i % 4) * 110, 10 + (i / 4) * 40, 100,
                        30, parent, nullptr, nullptr, nullptr);
    }
}

HWND OpenDialog(int controls) {
    // Over the main window, as the program's dialogs open centred on it.
    HWND d = CreateWindowExW(WS_EX_DLGMODALFRAME, L"#32770", L"Dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                             120, 120, 470, 60 + (controls + 3) / 4 * 40, g_main, nullptr, nullptr, nullptr);
    AddControls(d, controls);
    ShowWindow(d, SW_SHOW);
    PaintAll(d);
    return d;
}

void CloseDialog(HWND d) {
    DestroyWindow(d);
    PaintAll(g_main);
}

// A move of the main window: its controls' DCs go back to the cache, free for any window.
void MoveMain() {
    RECT r;
    GetWindowRect(g_main, &r);
    SetWindowPos(g_main, nullptr, r.left + 1, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(g_main, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Hidden and shown again, as from the tray: all its controls paint and hold their DCs.
void HideShowMain() {
    ShowWindow(g_main, SW_HIDE);
    ShowWindow(g_main, SW_SHOW);
    PaintAll(g_main);
}

void OpenClose(int controls, const char* what) {
    const HWND d = OpenDialog(controls);
    Report(what);
    CloseDialog(d);
}

} // namespace

int wmain() {
    probe::CheckGdiCounting();
    g_main = CreateWindowExW(0, L"#32770", L"Main", WS_OVERLAPPEDWINDOW, 50, 50, 480, 300, nullptr, nullptr,
                             nullptr, nullptr);
    AddControls(g_main, kMainControls);
    Report("before any window is shown");
    ShowWindow(g_main, SW_SHOW);
    PaintAll(g_main);
    Report("main window and its 8 controls painted");
    MoveMain();
    Report("main window moved");
    for (int i = 1; i <= 3; ++i) {
        MoveMain();
        OpenClose(kDialogControls,
                  ("main window moved, dialog of 6 controls open, " + std::to_string(i)).c_str());
    }
    for (int i = 1; i <= 3; ++i) {
        HideShowMain();
        OpenClose(kDialogControls,
                  ("main window hidden and shown, dialog open, " + std::to_string(i)).c_str());
    }
    for (int i = 1; i <= 3; ++i) {
        HideShowMain();
        OpenClose(kBigDialogControls,
                  ("main window hidden and shown, dialog of 30 open, " + std::to_string(i)).c_str());
    }
    Report("dialog closed");
    // The first scroll bar drawn in the process: Wine makes a few bitmaps for it once, which the
    // soak sees as one step of its own the first time a list grows long enough to scroll.
    const HWND list = CreateWindowExW(0, L"LISTBOX", L"",
                                      WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT,
                                      10, 130, 200, 100, g_main, nullptr, nullptr, nullptr);
    for (int i = 0; i < 3; ++i) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"row"));
    }
    PaintAll(g_main);
    ReportBitmaps("a list of 3 rows, no scroll bar");
    for (int round = 1; round <= 2; ++round) {
        for (int i = 0; i < 40; ++i) {
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"row"));
        }
        PaintAll(g_main);
        ReportBitmaps(round == 1 ? "43 rows: the first scroll bar" : "43 rows again: a scroll bar once more");
        for (int i = 0; i < 40; ++i) {
            SendMessageW(list, LB_DELETESTRING, 0, 0);
        }
        PaintAll(g_main);
    }
    // The pointer over a rich edit control for the first time: the control sets the system's I-beam
    // cursor. Wine makes bitmaps for a system cursor once, as it is first loaded and first shown,
    // and keeps them for the process (the cursor is shared, never freed); a second rich edit under
    // the pointer makes none. The soak's item editor holds such a control.
    LoadLibraryExW(L"riched20.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    for (int round = 1; round <= 2; ++round) {
        const HWND edit = CreateWindowExW(0, L"RichEdit20W", L"text", WS_CHILD | WS_VISIBLE | WS_BORDER,
                                          230, 130, 200, 100, g_main, nullptr, nullptr, nullptr);
        PaintAll(g_main);
        ReportBitmaps(round == 1 ? "a rich edit, the pointer elsewhere" : "another rich edit, the pointer elsewhere");
        RECT rc;
        GetWindowRect(edit, &rc);
        SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        SendMessageW(edit, WM_SETCURSOR, reinterpret_cast<WPARAM>(edit), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        ReportBitmaps(round == 1 ? "the pointer over it: the I-beam cursor loaded" : "the pointer over it again");
        DestroyWindow(edit);
        SetCursorPos(0, 0);
    }
    DestroyWindow(g_main);
    Report("main window destroyed");
    return 0;
}
