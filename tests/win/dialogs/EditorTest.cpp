// The item editor in-process: a modeless CPastingDlg under a test owner, with a host that records
// how the editor closed and, like the main window, may release the editor while it reports.
#include "DialogTestSupport.h"
#include "RecordingCommandHost.h"
#include "win/dialogs/CPastingDlg.h"
#include "core/layout/EditorLayout.h"
#include "win/framework/CClipboardScope.h"
#include "win/framework/CGlobalLock.h"
#include "core/library/CData.h"
#include "res/resource.h"

#include <richedit.h>

#include <cstdlib>
#include <memory>
#include <string>

using namespace brindlex;

using namespace dialog_test;

namespace {

class Editor : public ::testing::Test {
protected:
    void SetUp() override {
        LoadControls();
        group = &data.m_library.AddGroup(u"Group");
        item = &data.m_library.AddItem(*group, u"Greeting", 7, u"Hello\r\nWorld");
        data.m_library.SelectGroup(0);
    }

    // Opens the editor as the main window does: created with the owner as parent, shown.
    void Open(CPasteItem* edited) {
        dlg = std::make_unique<CPastingDlg>(data, edited, host);
        ASSERT_TRUE(dlg->Create(owner.GetSafeHwnd()));
        dlg->CenterWindow(owner.GetSafeHwnd());
        dlg->ShowWindow(SW_SHOW);
        PumpUntil(QueueEmpty);
    }
    // As the main window does when the editor closes: take a new item, then release the editor.
    void ReleaseOnClose() {
        host.onCommand = [this](const AppCommand& c) {
            if (IsClosing(c.kind)) {
                if (c.kind == CommandKind::NewItemSaved) {
                    taken = dlg->TakeNewItem();
                }
                dlg.reset();
            }
        };
    }

    HWND Dlg() const { return dlg->GetSafeHwnd(); }
    HWND Text() const { return GetDlgItem(Dlg(), IDC_ITEM_TEXT); }
    std::u16string TextOf(int id) const { return GetWindowTextU16(GetDlgItem(Dlg(), id)); }
    void SetText(int id, const std::u16string& text) const { SetWindowTextW(GetDlgItem(Dlg(), id), W(text)); }
    void Select(LONG from, LONG to) const {
        CHARRANGE range{from, to};
        SendMessageW(Text(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    }
    void Command(int id) const { SendMessageW(Dlg(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    void Click(int id) const {
        SendMessageW(Dlg(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(Dlg(), id)));
    }
    static bool IsClosing(CommandKind kind) {
        return kind == CommandKind::EditorClosed || kind == CommandKind::NewItemSaved;
    }
    std::vector<CommandKind> Closings() const {
        std::vector<CommandKind> out;
        for (const AppCommand& c : host.commands) {
            if (IsClosing(c.kind)) {
                out.push_back(c.kind);
            }
        }
        return out;
    }

    CData data;
    CPasteGroup* group = nullptr;
    CPasteItem* item = nullptr;
    CRecordingCommandHost host;
    CTestOwner owner;
    std::unique_ptr<CPastingDlg> dlg;
    std::unique_ptr<CPasteItem> taken;
};

std::u16string ClipboardText() {
    std::u16string text;
    const CClipboardScope clipboard(nullptr);
    if (!clipboard.IsOpen()) {
        ADD_FAILURE() << "clipboard busy";
        return text;
    }
    const HANDLE h = GetClipboardData(CF_UNICODETEXT);
    const CGlobalLock lock(h);
    if (lock) {
        text = U16(static_cast<const wchar_t*>(lock.get()));
    }
    return text;
}

void PutOnClipboard(const std::u16string& text) {
    const CClipboardScope clipboard(nullptr);
    ASSERT_TRUE(clipboard.IsOpen());
    EmptyClipboard();
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * 2);
    {
        const CGlobalLock lock(h);
        memcpy(lock.get(), text.c_str(), (text.size() + 1) * 2);
    }
    SetClipboardData(CF_UNICODETEXT, h);
}

} // namespace

TEST_F(Editor, ANewItemStartsAsNewItemAndSaveHandsItOverOnce) {
    Open(nullptr);
    EXPECT_EQ(GetWindowTextU16(Dlg()), u"Pasting text");
    EXPECT_EQ(TextOf(IDC_ITEM_NAME), u"New item");
    EXPECT_EQ(TextOf(IDC_ITEM_TEXT), u"");
    EXPECT_EQ(dlg->GetItem(), nullptr);
    EXPECT_EQ(dlg->TakeNewItem(), nullptr) << "nothing before Save";

    // Saved as it stands: the default name and an empty text are accepted.
    Command(IDOK);
    const auto closings = Closings();
    ASSERT_EQ(closings.size(), 1u);
    EXPECT_EQ(closings[0], CommandKind::NewItemSaved);
    // The editor does not end itself: its window waits for the owner to release it.
    EXPECT_TRUE(dlg->IsWindow());
    auto made = dlg->TakeNewItem();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->m_strName, u"New item");
    EXPECT_EQ(made->m_strText, u"");
    EXPECT_EQ(made->m_dwReserved, 0u);
    EXPECT_EQ(dlg->TakeNewItem(), nullptr) << "handed over once";
    EXPECT_EQ(group->ItemCount(), 1u) << "the editor stores nothing in the library itself";
}

TEST_F(Editor, TheOwnerMayReleaseTheEditorWhileSaveReports) {
    ReleaseOnClose();
    Open(nullptr);
    SetText(IDC_ITEM_NAME, u"Sign-off");
    SetText(IDC_ITEM_TEXT, u"Regards,\r\nMe");
    Command(IDOK);
    EXPECT_EQ(dlg, nullptr);
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(taken->m_strName, u"Sign-off");
    EXPECT_EQ(taken->m_strText, u"Regards,\r\nMe");
    PumpUntil(QueueEmpty);
}

TEST_F(Editor, SaveOfAStoredItemChangesItInPlace) {
    ReleaseOnClose();
    Open(item);
    EXPECT_EQ(dlg->GetItem(), item);
    EXPECT_EQ(TextOf(IDC_ITEM_NAME), u"Greeting");
    EXPECT_EQ(TextOf(IDC_ITEM_TEXT), u"Hello\r\nWorld");
    SetText(IDC_ITEM_NAME, u"");
    SetText(IDC_ITEM_TEXT, u"Hi\r\n\tthere");
    Command(IDOK);
    const auto closings = Closings();
    ASSERT_EQ(closings.size(), 1u);
    EXPECT_EQ(closings[0], CommandKind::EditorClosed);
    EXPECT_EQ(taken, nullptr);
    EXPECT_EQ(item->m_strName, u"") << "empty names are accepted";
    EXPECT_EQ(item->m_strText, u"Hi\r\n\tthere");
    EXPECT_EQ(item->m_dwReserved, 7u);
    EXPECT_EQ(group->ItemCount(), 1u);
}

TEST_F(Editor, CancelEscapeAndTheCloseBoxLeaveTheItemAlone) {
    for (const int way : {0, 1, 2}) {
        host.commands.clear();
        Open(item);
        SetText(IDC_ITEM_NAME, u"Changed");
        SetText(IDC_ITEM_TEXT, u"Changed text");
        if (way == 0) {
            Click(IDCANCEL);
        } else if (way == 1) {
            // The dialog manager turns the close box into a posted IDCANCEL.
            SendMessageW(Dlg(), WM_CLOSE, 0, 0);
            PumpUntil([&] { return !Closings().empty(); }, 2000);
        } else {
            // Esc in the name field goes through the dialog manager.
            SetFocus(GetDlgItem(Dlg(), IDC_ITEM_NAME));
            PostMessageW(GetDlgItem(Dlg(), IDC_ITEM_NAME), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
            PumpUntil([&] { return !Closings().empty(); }, 2000);
        }
        const auto closings = Closings();
        ASSERT_EQ(closings.size(), 1u) << "way " << way;
        EXPECT_EQ(closings[0], CommandKind::EditorClosed);
        EXPECT_EQ(item->m_strName, u"Greeting");
        EXPECT_EQ(item->m_strText, u"Hello\r\nWorld");
        EXPECT_EQ(dlg->TakeNewItem(), nullptr);
        dlg.reset();
    }
}

TEST_F(Editor, EnterInTheTextStartsALineAndInTheNameFieldSaves) {
    ReleaseOnClose();
    Open(item);
    SetText(IDC_ITEM_TEXT, u"ab");
    SetFocus(Text());
    Select(1, 1);
    PostMessageW(Text(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    PumpUntil([&] { return TextOf(IDC_ITEM_TEXT) != u"ab"; }, 2000);
    EXPECT_EQ(TextOf(IDC_ITEM_TEXT), u"a\r\nb");
    EXPECT_TRUE(Closings().empty());
    SetText(IDC_ITEM_NAME, u"By Enter");
    SetFocus(GetDlgItem(Dlg(), IDC_ITEM_NAME));
    PostMessageW(GetDlgItem(Dlg(), IDC_ITEM_NAME), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    PumpUntil([&] { return dlg == nullptr; }, 2000);
    EXPECT_EQ(item->m_strName, u"By Enter");
}

TEST_F(Editor, TokensGoInAtTheCaretOrOverTheSelectionAndCanBeUndone) {
    Open(nullptr);
    SetText(IDC_ITEM_TEXT, u"ab");
    Select(1, 1);
    Command(ID_TOKEN_FIRST + 5); // [ENTER]
    EXPECT_EQ(TextOf(IDC_ITEM_TEXT), u"a[ENTER]b");
    EXPECT_EQ(GetFocus(), Text()) << "the focus goes back to the text";
    CHARRANGE caret{};
    SendMessageW(Text(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    EXPECT_EQ(caret.cpMin, 8);
    EXPECT_EQ(caret.cpMax, 8);

    Select(0, 1);
    Command(ID_TOKEN_FIRST); // [TAB] over the "a"
    EXPECT_EQ(TextOf(IDC_ITEM_TEXT), u"[TAB][ENTER]b");
    SendMessageW(Text(), EM_UNDO, 0, 0);
    EXPECT_EQ(TextOf(IDC_ITEM_TEXT), u"a[ENTER]b") << "undo brings the selection back";

    // The last token and one beyond the table.
    Select(9, 9);
    Command(ID_TOKEN_FIRST + 18);
    EXPECT_EQ(TextOf(IDC_ITEM_TEXT), u"a[ENTER]b" + data.m_arrTokens[18]);
    Command(ID_TOKEN_FIRST + 19);
    EXPECT_EQ(TextOf(IDC_ITEM_TEXT), u"a[ENTER]b" + data.m_arrTokens[18]);
}

TEST_F(Editor, TheTokenMenuListsTheTableInOrder) {
    Open(nullptr);
    const HMENU menu = dlg->GetTokenMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 19);
    for (int i = 0; i < 19; ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        EXPECT_EQ(U16(text), data.m_arrTokens[static_cast<std::size_t>(i)]) << i;
        EXPECT_EQ(GetMenuItemID(menu, i), static_cast<UINT>(ID_TOKEN_FIRST + i));
    }
}

// While the token menu is up: where it is, and the keys that pick its third entry.
struct MenuWatch {
    static inline RECT rect{};
    static inline bool seen = false;
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        const HWND menu = FindWindowW(L"#32768", nullptr);
        if (seen || menu == nullptr || !IsWindowVisible(menu)) {
            return;
        }
        seen = true;
        GetWindowRect(menu, &rect);
        PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    }
};

TEST_F(Editor, InsertDropsTheMenuFromTheButtonsBottomLeftAndAChoiceInsertsIt) {
    Open(nullptr);
    SetText(IDC_ITEM_TEXT, u"x");
    Select(1, 1);
    MenuWatch::seen = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, MenuWatch::OnTimer);
    // A bounded stop in case the menu never comes up: Esc ends any menu loop.
    const UINT_PTR stop = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) {
        const HWND menu = FindWindowW(L"#32768", nullptr);
        if (menu != nullptr) {
            PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        }
    });
    Click(IDC_INSERT_TOKEN); // returns when the menu is done
    KillTimer(nullptr, timer);
    KillTimer(nullptr, stop);
    PumpUntil(QueueEmpty);
    ASSERT_TRUE(MenuWatch::seen);
    // Down three times from no selection: the third entry, [SHIFT].
    EXPECT_EQ(TextOf(IDC_ITEM_TEXT), u"x[SHIFT]");
    RECT rcButton{};
    GetWindowRect(GetDlgItem(Dlg(), IDC_INSERT_TOKEN), &rcButton);
    EXPECT_NEAR(MenuWatch::rect.left, rcButton.left, 2);
    EXPECT_NEAR(MenuWatch::rect.top, rcButton.bottom, 2);
}

TEST_F(Editor, CopyTakesTheSelectionElseTheWholeText) {
    Open(item);
    PutOnClipboard(u"before");
    Select(2, 9); // "llo\r\nWo" as the control counts: one character for the line break
    Click(IDC_COPY_TEXT);
    EXPECT_EQ(ClipboardText(), u"llo\r\nWor");
    Select(3, 3);
    Click(IDC_COPY_TEXT);
    EXPECT_EQ(ClipboardText(), u"Hello\r\nWorld");
    // Tokens are copied as written.
    SetText(IDC_ITEM_TEXT, u"[TAB]x");
    Click(IDC_COPY_TEXT);
    EXPECT_EQ(ClipboardText(), u"[TAB]x");
    // An empty text leaves an empty text on the clipboard.
    SetText(IDC_ITEM_TEXT, u"");
    Click(IDC_COPY_TEXT);
    EXPECT_EQ(ClipboardText(), u"");
}

TEST_F(Editor, ALongStoredTextSurvivesTheRoundTrip) {
    std::u16string longText;
    for (int i = 0; i < 4000; ++i) {
        longText += u"line " + U16(std::to_wstring(i)) + u"\r\n";
    }
    ASSERT_GT(longText.size(), 40000u);
    item->m_strText = longText;
    ReleaseOnClose();
    Open(item);
    Command(IDOK);
    EXPECT_EQ(item->m_strText.size(), longText.size());
    EXPECT_TRUE(item->m_strText == longText);
}

TEST_F(Editor, AnItemGoneFromTheLibraryIsNotWrittenInto) {
    Open(item);
    SetText(IDC_ITEM_NAME, u"Too late");
    // Detach the item from the library behind the editor's back (the main window would close the
    // editor first); keep the object alive so that the test can look at it.
    std::unique_ptr<CPasteItem> kept = std::move(group->m_arrItems.front());
    group->m_arrItems.clear();
    Command(IDOK);
    const auto closings = Closings();
    ASSERT_EQ(closings.size(), 1u);
    EXPECT_EQ(closings[0], CommandKind::EditorClosed) << "no new item to take";
    EXPECT_EQ(kept->m_strName, u"Greeting");
}

TEST_F(Editor, LayoutFollowsTheClientAreaOnEveryResizeAndEveryScale) {
    Open(item);
    const auto expectLayout = [this](int dpi, const char* when) {
        RECT rc{};
        GetClientRect(Dlg(), &rc);
        for (const auto& p : brindlex::EditorLayout(rc.right, rc.bottom, dpi)) {
            RECT got{};
            const HWND hControl = GetDlgItem(Dlg(), p.id);
            GetWindowRect(hControl, &got);
            MapWindowPoints(nullptr, Dlg(), reinterpret_cast<POINT*>(&got), 2);
            EXPECT_EQ(got.left, p.rect.left) << p.id << " " << when;
            EXPECT_EQ(got.top, p.rect.top) << p.id << " " << when;
            EXPECT_EQ(got.right, p.rect.right) << p.id << " " << when;
            EXPECT_EQ(got.bottom, p.rect.bottom) << p.id << " " << when;
        }
    };
    for (const auto& [cx, cy] : {std::pair{640, 480}, {420, 300}, {900, 700}}) {
        SetWindowPos(Dlg(), nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER);
        expectLayout(96, ("at " + std::to_string(cx) + "x" + std::to_string(cy)).c_str());
    }
    // Moved to a screen at 150 %: the offered rectangle, the layout and the fonts at that scale.
    const auto fontHeight = [this] {
        LOGFONTW lf{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(Dlg(), IDC_ITEM_NAME), WM_GETFONT, 0, 0)),
                   sizeof lf, &lf);
        return std::abs(lf.lfHeight);
    };
    const int heightAt96 = fontHeight();
    RECT suggested{30, 40, 30 + 960, 40 + 720};
    SendMessageW(Dlg(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT window{};
    GetWindowRect(Dlg(), &window);
    EXPECT_EQ(window.right - window.left, 960);
    EXPECT_EQ(window.bottom - window.top, 720);
    expectLayout(144, "at 144 DPI");
    EXPECT_NEAR(fontHeight(), heightAt96 * 3 / 2, 1);
}
