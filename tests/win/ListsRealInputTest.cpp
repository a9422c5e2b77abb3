// The mouse and the keyboard as the system delivers them (SendInput): a drag with the pointer
// really captured, and Insert, typing and Enter through the message loop and the dialog manager.
#include "ListsTestSupport.h"

using namespace liststest;

namespace {

class ListsRealInput : public ListsFixture {
protected:
    void SetUp() override {
        ListsFixture::SetUp();
        MakeGroups({4, 0});
        Attach();
        ::SetForegroundWindow(m_dlg->GetSafeHwnd());
        Pump(100);
    }
    static void MouseTo(const CDragListBox& list, POINT client) {
        ::ClientToScreen(list.GetSafeHwnd(), &client);
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dx = static_cast<LONG>((client.x * 65536 + 65535) / ::GetSystemMetrics(SM_CXSCREEN));
        in.mi.dy = static_cast<LONG>((client.y * 65536 + 65535) / ::GetSystemMetrics(SM_CYSCREEN));
        in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        ::SendInput(1, &in, sizeof(in));
        Pump(30);
    }
    static void Button(DWORD flag) {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = flag;
        ::SendInput(1, &in, sizeof(in));
        Pump(30);
    }
    static void Key(WORD vk, bool up = false) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, 0));
        in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (vk == VK_INSERT ? KEYEVENTF_EXTENDEDKEY : 0);
        ::SendInput(1, &in, sizeof(in));
    }
    static void Tap(WORD vk) {
        Key(vk);
        Key(vk, true);
        Pump(40);
    }
};

TEST_F(ListsRealInput, DragWithTheMouseMovesTheItem) {
    const POINT from = RowPoint(m_items, 0);
    MouseTo(m_items, from);
    Button(MOUSEEVENTF_LEFTDOWN);
    for (int step = 1; step <= 5; ++step) {
        MouseTo(m_items, POINT{from.x, from.y + (RowPoint(m_items, 2, 4).y - from.y) * step / 5});
    }
    EXPECT_EQ(::GetCapture(), m_items.GetSafeHwnd());
    Button(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([this] { return m_items.GetCurrent() == 1; }, 2000));
    EXPECT_EQ(RowNames(m_items), (std::vector<std::u16string>{u"I0.1", u"I0.0", u"I0.2", u"I0.3"}));
    ExpectItemRowsMirrorCurrentGroup();
    ExpectCurrentRowsInStep();
    EXPECT_NE(::GetCapture(), m_items.GetSafeHwnd());
}

TEST_F(ListsRealInput, InsertTypeAndEnterRenameTheItem) {
    const POINT row = RowPoint(m_items, 3);
    MouseTo(m_items, row);
    Button(MOUSEEVENTF_LEFTDOWN);
    Button(MOUSEEVENTF_LEFTUP);
    ASSERT_EQ(m_items.GetCurrent(), 3);
    ASSERT_EQ(::GetFocus(), m_items.GetSafeHwnd());
    Tap(VK_INSERT);
    ASSERT_TRUE(PumpUntil([this] { return Editor(m_items) != nullptr; }, 2000));
    for (WORD vk : {WORD('N'), WORD('E'), WORD('W')}) {
        Tap(vk);
    }
    Tap(VK_RETURN);
    EXPECT_TRUE(PumpUntil([this] { return Editor(m_items) == nullptr; }, 2000));
    EXPECT_EQ(m_library.Group(0).Item(3).m_strName, u"new");
    EXPECT_EQ(m_dlg->m_nOk, 0);
    ASSERT_EQ(m_dlg->m_nameChanges.size(), 1u);
    EXPECT_EQ(m_dlg->m_nameChanges[0].previous, u"I0.3");
}

} // namespace
