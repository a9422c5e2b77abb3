// The framework's promises, for real under Wine: binding and unbinding, reflection to the child
// object, modeless and modal dialogs in the one message loop, and no exception through user32.
#include "DialogTemplateBuilder.h"
#include "win/framework/CDialog.h"
#include "win/framework/CMessageLoop.h"
#include "win/framework/Callbacks.h"
#include "win/framework/MessageParams.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

using namespace brindlex;

namespace {

constexpr WORD kIdButton = 100;
constexpr WORD kIdEdit = 101;

CDialogTemplateBuilder SmallDialog() {
    CDialogTemplateBuilder b(WS_POPUP | WS_CAPTION | WS_SYSMENU, 160, 80, L"Framework test");
    b.Control(0x0080, L"Push", kIdButton, BS_PUSHBUTTON | WS_TABSTOP, 4, 4, 50, 14);
    b.Control(0x0081, L"", kIdEdit, ES_LEFT | WS_BORDER | WS_TABSTOP, 4, 24, 100, 14);
    return b;
}

class CCountingButton : public CWnd {
public:
    int clicks = 0;
    int notifies = 0;
    bool consume = true;

protected:
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT* pResult) override {
        notifies += message == WM_NOTIFY ? 1 : 0;
        if (message == WM_COMMAND && brindlex::CommandCode(wParam) == BN_CLICKED) {
            ++clicks;
            *pResult = 0;
            return consume;
        }
        return false;
    }
};

class CTestDialog : public CDialog {
public:
    explicit CTestDialog(const DLGTEMPLATE* t) : CDialog(t) {}
    ~CTestDialog() override { ReleaseWindow(); }

    CCountingButton button;
    int parentClicks = 0;
    int cancels = 0;
    int oks = 0;
    bool throwOnPaint = false;

protected:
    bool OnInitDialog() override {
        CDialog::OnInitDialog();
        button.SubclassDlgItem(kIdButton, this);
        return true;
    }
    void OnOK() override { ++oks; }
    void OnCancel() override {
        ++cancels;
        EndDialog(IDCANCEL);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND && brindlex::CommandId(wParam) == kIdButton) {
            ++parentClicks;
            return 0;
        }
        if (message == WM_APP && throwOnPaint) {
            throw std::runtime_error("handler failure");
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

// Every test has the small dialog's object at hand; most create its window first.
class Framework : public ::testing::Test {
protected:
    const CDialogTemplateBuilder t = SmallDialog();
    CTestDialog dlg{t.Get()};
};

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        CMessageLoop::Process(msg);
    }
}

} // namespace

TEST_F(Framework, ModelessDialogBindsAndUnbindsItsObjects) {
    ASSERT_TRUE(dlg.Create(nullptr));
    HWND hDlg = dlg.GetSafeHwnd();
    HWND hButton = dlg.GetDlgItem(kIdButton);
    EXPECT_EQ(CWnd::FromHandle(hDlg), &dlg);
    EXPECT_EQ(CWnd::FromHandle(hButton), &dlg.button);
    EXPECT_TRUE(CMessageLoop::IsDialogRegistered(hDlg));
    EXPECT_FALSE(dlg.Create(nullptr)) << "a second window for the same object";

    dlg.EndDialog(IDCANCEL); // modeless: destroys the window, the object stays
    EXPECT_FALSE(IsWindow(hDlg));
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
    EXPECT_EQ(dlg.button.GetSafeHwnd(), nullptr);
    EXPECT_EQ(CWnd::FromHandle(hButton), nullptr);
    EXPECT_FALSE(CMessageLoop::IsDialogRegistered(hDlg));
}

TEST_F(Framework, NotificationsGoToTheChildObjectFirst) {
    ASSERT_TRUE(dlg.Create(nullptr));
    HWND hButton = dlg.GetDlgItem(kIdButton);

    SendMessageW(hButton, BM_CLICK, 0, 0);
    EXPECT_EQ(dlg.button.clicks, 1);
    EXPECT_EQ(dlg.parentClicks, 0) << "the child consumed it";

    dlg.button.consume = false;
    SendMessageW(hButton, BM_CLICK, 0, 0);
    EXPECT_EQ(dlg.button.clicks, 2);
    EXPECT_EQ(dlg.parentClicks, 1) << "not consumed: the parent hears of it too";

    // A WM_NOTIFY reaches the child when its own thread sends it; from another thread, pointing
    // into memory that is not the window thread's, as another program's does, it is not read.
    NMHDR hdr{hButton, kIdButton, NM_CLICK};
    SendMessageW(dlg.GetSafeHwnd(), WM_NOTIFY, kIdButton, reinterpret_cast<LPARAM>(&hdr));
    EXPECT_EQ(dlg.button.notifies, 1);
    std::atomic<bool> sent{false};
    std::thread other([&] {
        NMHDR its{hButton, kIdButton, NM_CLICK};
        SendMessageW(dlg.GetSafeHwnd(), WM_NOTIFY, kIdButton, reinterpret_cast<LPARAM>(&its));
        sent = true;
    });
    while (!sent) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_SENDMESSAGE);
        Pump();
    }
    other.join();
    EXPECT_EQ(dlg.button.notifies, 1) << "a WM_NOTIFY from another thread was read";
    dlg.EndDialog(IDCANCEL);
}

TEST_F(Framework, EscapeInAModelessDialogReachesOnCancelThroughTheLoop) {
    ASSERT_TRUE(dlg.Create(nullptr));
    HWND hEdit = dlg.GetDlgItem(kIdEdit);
    dlg.ShowWindow(SW_SHOW);
    SetFocus(hEdit);
    // Keys arrive posted, as from the keyboard; only IsDialogMessage turns Esc into IDCANCEL.
    PostMessageW(hEdit, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    Pump();
    EXPECT_EQ(dlg.cancels, 1);
    EXPECT_FALSE(dlg.IsWindow());
}

TEST_F(Framework, ModalRunEndsWithTheEndDialogResult) {
    // The run ends from inside its own loop, as a button handler would end it.
    UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        HWND h = FindWindowW(nullptr, L"Framework test");
        if (h != nullptr) {
            PostMessageW(h, WM_COMMAND, IDCANCEL, 0);
        }
    });
    const INT_PTR result = dlg.DoModal(nullptr);
    KillTimer(nullptr, timer);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dlg.cancels, 1);
    EXPECT_FALSE(dlg.IsWindow());
}

TEST_F(Framework, AnExceptionInAHandlerStopsAtTheCallbackBoundary) {
    ASSERT_TRUE(dlg.Create(nullptr));
    dlg.throwOnPaint = true;
    const unsigned long before = brindlex::CallbackExceptionCount();
    EXPECT_NO_THROW(SendMessageW(dlg.GetSafeHwnd(), WM_APP, 0, 0));
    EXPECT_EQ(brindlex::CallbackExceptionCount(), before + 1);
    EXPECT_TRUE(dlg.IsWindow()) << "the window survives its handler's failure";
    dlg.throwOnPaint = false;
    dlg.EndDialog(IDCANCEL);
}

TEST_F(Framework, OwnClassWindowIsBoundFromCreationToDestruction) {
    struct CProbeWnd : CWnd {
        int creates = 0;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_CREATE) {
                ++creates;
            }
            return CWnd::WindowProc(message, wParam, lParam);
        }
    } wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, L"own", WS_POPUP, RECT{0, 0, 50, 50}, nullptr, 0));
    EXPECT_EQ(wnd.creates, 1) << "WM_CREATE already reached the object";
    HWND h = wnd.GetSafeHwnd();
    EXPECT_EQ(CWnd::FromHandle(h), &wnd);
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(CWnd::FromHandle(h), nullptr);
    EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
}
