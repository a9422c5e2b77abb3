// The mouse as the system delivers it (SendInput): a drag with the pointer really captured.
#include "ListsTestSupport.h"

using namespace brindlex;

using namespace liststest;

namespace {

class ListsRealInput : public ListsFixture {
protected:
    void SetUp() override {
        ListsFixture::SetUp();
        MakeGroups({4, 0});
        Attach();
        ::SetForegroundWindow(m_dlg->GetSafeHwnd());
        const HWND dlg = m_dlg->GetSafeHwnd();
        EXPECT_TRUE(PumpUntil([dlg] { return ::GetActiveWindow() == dlg && QueueEmpty(); }, 2000));
    }
    static void MouseTo(const CDragListBox& list, POINT client) {
        ::ClientToScreen(list.GetSafeHwnd(), &client);
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dx = static_cast<LONG>((client.x * 65536 + 65535) / ::GetSystemMetrics(SM_CXSCREEN));
        in.mi.dy = static_cast<LONG>((client.y * 65536 + 65535) / ::GetSystemMetrics(SM_CYSCREEN));
        in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        ::SendInput(1, &in, sizeof(in));
        // The pointer moves through the X server: wait until it is there.
        EXPECT_TRUE(PumpUntil(
            [client] {
                POINT now{};
                ::GetCursorPos(&now);
                return now.x == client.x && now.y == client.y;
            },
            2000));
        // The wineserver has queued the move by then: until it has been handled.
        PumpUntil(QueueEmpty, 2000);
    }
    static void Button(DWORD flag) {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = flag;
        ::SendInput(1, &in, sizeof(in));
        // Until the thread has taken the press or release from its queue.
        const bool down = flag == MOUSEEVENTF_LEFTDOWN;
        EXPECT_TRUE(
            PumpUntil([down] { return (::GetKeyState(VK_LBUTTON) < 0) == down && QueueEmpty(); }, 2000));
    }
};

TEST_F(ListsRealInput, DragWithTheMouseMovesTheItem) {
    const POINT from = RowPoint(m_items, 0);
    MouseTo(m_items, from);
    Button(MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(PumpUntil([this] { return ::GetCapture() == m_items.GetSafeHwnd(); }, 2000));
    for (int step = 1; step <= 5; ++step) {
        MouseTo(m_items, POINT{from.x, from.y + (RowPoint(m_items, 2, 4).y - from.y) * step / 5});
    }
    EXPECT_EQ(::GetCapture(), m_items.GetSafeHwnd());
    Button(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([this] { return m_items.GetCurrent() == 1; }, 2000));
    EXPECT_EQ(RowNames(m_items), (std::vector<std::u16string>{u"I0.1", u"I0.0", u"I0.2", u"I0.3"}));
    ExpectRowsShowTheModel();
    EXPECT_NE(::GetCapture(), m_items.GetSafeHwnd());
}

} // namespace
