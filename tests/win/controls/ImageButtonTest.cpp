// The image button on a real dialog: toggle behaviour, hover tracking, the tooltip its window's
// buttons share, icon ownership, and that the toggle's on state looks different from its off state.
#include "DialogTemplateBuilder.h"
#include "DialogTestSupport.h"
#include "win/controls/CImageButton.h"
#include "win/framework/CDialog.h"
#include "win/framework/CMessageLoop.h"
#include "win/framework/MessageParams.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace brindlex;

namespace {

constexpr WORD kIdToggle = 200;
constexpr WORD kIdPush = 201;

class CButtonsDialog : public CDialog {
public:
    explicit CButtonsDialog(const DLGTEMPLATE* t) : CDialog(t) {}
    ~CButtonsDialog() override { ReleaseWindow(); }

    CImageButton toggle;
    CImageButton push;
    std::vector<int> clicked;

protected:
    bool OnInitDialog() override {
        CDialog::OnInitDialog();
        toggle.SubclassDlgItem(kIdToggle, this);
        push.SubclassDlgItem(kIdPush, this);
        return true;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND && brindlex::CommandCode(wParam) == BN_CLICKED) {
            clicked.push_back(static_cast<int>(brindlex::CommandId(wParam)));
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

CDialogTemplateBuilder ButtonsTemplate() {
    CDialogTemplateBuilder b(WS_POPUP | WS_CAPTION | WS_VISIBLE, 120, 60, L"Image buttons");
    b.Control(0x0080, L"", kIdToggle, BS_AUTOCHECKBOX | BS_PUSHLIKE | BS_VCENTER | WS_TABSTOP, 4, 4, 24, 24);
    b.Control(0x0080, L"More", kIdPush, BS_PUSHBUTTON | BS_LEFT | WS_TABSTOP, 40, 4, 60, 24);
    return b;
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        CMessageLoop::Process(msg);
    }
}

std::wstring ToolText(HWND hTip, HWND hButton) {
    wchar_t text[80] = {};
    TTTOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = hButton;
    ti.uId = 1;
    ti.lpszText = text;
    return SendMessageW(hTip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti)) ? text : L"(no tool)";
}

// Rests the pointer on a button as a person would: the pointer is there and the button's queued
// mouse move goes through the message loop, which hands it to the tooltip. The tip's text once it
// shows, or nothing.
std::wstring TipShownOver(HWND hButton, HWND hTip) {
    RECT rc;
    GetWindowRect(hButton, &rc);
    const POINT centre{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    SetCursorPos(centre.x, centre.y);
    POINT client = centre;
    ScreenToClient(hButton, &client);
    PostMessageW(hButton, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    if (!dialog_test::PumpUntil([&] { return IsWindowVisible(hTip) != FALSE; }, 3000)) {
        return L"";
    }
    wchar_t text[80] = {};
    SendMessageW(hTip, WM_GETTEXT, 80, reinterpret_cast<LPARAM>(text));
    return text;
}

// The colours along the button's outer rows, read back from the screen.
std::vector<COLORREF> BorderPixels(HWND hButton) {
    RedrawWindow(hButton, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    Pump();
    RECT rc;
    GetClientRect(hButton, &rc);
    HDC hdc = GetDC(hButton);
    std::vector<COLORREF> pixels;
    for (int x = 0; x < rc.right; ++x) {
        pixels.push_back(GetPixel(hdc, x, 0));
        pixels.push_back(GetPixel(hdc, x, rc.bottom - 1));
    }
    ReleaseDC(hButton, hdc);
    return pixels;
}

// The dialog with a toggle and a push button, open for each test.
class ImageButton : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dlg.Create(nullptr)); }
    void TearDown() override { dlg.EndDialog(IDCANCEL); }

    const CDialogTemplateBuilder t = ButtonsTemplate();
    CButtonsDialog dlg{t.Get()};
};

} // namespace

TEST_F(ImageButton, CheckBoxTemplateBecomesAToggleThatFlipsBeforeTheParentHears) {
    EXPECT_TRUE(dlg.toggle.IsToggle());
    EXPECT_FALSE(dlg.push.IsToggle());
    HWND hToggle = dlg.GetDlgItem(kIdToggle);
    EXPECT_EQ(GetWindowLongPtrW(hToggle, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW) << "draws itself";

    EXPECT_EQ(SendMessageW(hToggle, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    SendMessageW(hToggle, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(hToggle, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageW(hToggle, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(hToggle, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(dlg.clicked, (std::vector<int>{kIdToggle, kIdToggle}));

    dlg.toggle.SetToggleState(true);
    EXPECT_EQ(SendMessageW(hToggle, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageW(dlg.GetDlgItem(kIdPush), BM_CLICK, 0, 0);
    EXPECT_EQ(dlg.clicked.back(), kIdPush);
    EXPECT_EQ(SendMessageW(dlg.GetDlgItem(kIdPush), BM_GETCHECK, 0, 0), BST_UNCHECKED)
        << "a push button stays one";
}

// The type is a value: push types that merely share the check box bit stay push buttons.
TEST_F(ImageButton, OnlyACheckBoxTypeIsAToggle) {
    const DWORD types[] = {BS_PUSHBOX, BS_OWNERDRAW, BS_CHECKBOX};
    for (const DWORD type : types) {
        CImageButton button;
        const HWND hButton = CreateWindowExW(0, L"Button", L"", WS_CHILD | WS_VISIBLE | type, 0, 40, 20, 20,
                                             dlg.GetSafeHwnd(), nullptr, nullptr, nullptr);
        ASSERT_TRUE(button.SubclassWindow(hButton));
        EXPECT_EQ(button.IsToggle(), type == BS_CHECKBOX) << "type " << type;
        SendMessageW(hButton, BM_CLICK, 0, 0);
        EXPECT_EQ(SendMessageW(hButton, BM_GETCHECK, 0, 0), type == BS_CHECKBOX ? BST_CHECKED : BST_UNCHECKED)
            << "type " << type;
        DestroyWindow(hButton);
    }
}

TEST_F(ImageButton, ToggleOnLooksPressed) {
    dlg.ShowWindow(SW_SHOW);
    dlg.toggle.MakeTransparent();
    HWND hToggle = dlg.GetDlgItem(kIdToggle);
    dlg.toggle.SetToggleState(false);
    const std::vector<COLORREF> off = BorderPixels(hToggle);
    dlg.toggle.SetToggleState(true);
    const std::vector<COLORREF> on = BorderPixels(hToggle);
    EXPECT_NE(off, on) << "the on state draws its sunken edge";
    dlg.toggle.SetToggleState(false);
    EXPECT_EQ(BorderPixels(hToggle), off) << "and off again looks as before";
}

TEST_F(ImageButton, HoverTooltipAndIconOwnership) {
    HWND hPush = dlg.GetDlgItem(kIdPush);

    EXPECT_FALSE(dlg.push.IsHovering());
    SendMessageW(hPush, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(dlg.push.IsHovering());

    EXPECT_EQ(dlg.push.GetToolTip(), nullptr);
    dlg.push.SetTipText(L"More");
    ASSERT_NE(dlg.push.GetToolTip(), nullptr);
    dlg.push.SetTipText(L"More, again");
    EXPECT_EQ(ToolText(dlg.push.GetToolTip(), hPush), L"More, again") << "the one tool takes the new text";

    HICON hIcon = static_cast<HICON>(LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, 0, 0, LR_SHARED));
    EXPECT_TRUE(dlg.push.AssignIcon(CopyIcon(hIcon)));
    EXPECT_GT(dlg.push.GetIconWidth(), 0);
    EXPECT_FALSE(dlg.push.AssignIcon(reinterpret_cast<HICON>(static_cast<INT_PTR>(0x1234))))
        << "no usable icon";
    EXPECT_EQ(dlg.push.GetIconWidth(), 0);
}

// All image buttons of a window share one tooltip, each with its own tool and text shown when the
// pointer rests on it; another window has its own. A button released before its window takes only
// its own tool along; the tooltip goes with the last button.
TEST_F(ImageButton, TheButtonsOfAWindowShareOneTooltipEachWithItsOwnTip) {
    dialog_test::LoadControls();
    dlg.ShowWindow(SW_SHOW);
    SetForegroundWindow(dlg.GetSafeHwnd());
    dlg.toggle.SetTipText(L"Always on top");
    dlg.push.SetTipText(L"More");
    const HWND hTip = dlg.push.GetToolTip();
    ASSERT_NE(hTip, nullptr);
    EXPECT_EQ(dlg.toggle.GetToolTip(), hTip) << "one tooltip window";
    EXPECT_EQ(SendMessageW(hTip, TTM_GETTOOLCOUNT, 0, 0), 2);
    SendMessageW(hTip, TTM_SETDELAYTIME, TTDT_INITIAL, 10);
    EXPECT_EQ(TipShownOver(dlg.GetDlgItem(kIdPush), hTip), L"More");
    EXPECT_EQ(TipShownOver(dlg.GetDlgItem(kIdToggle), hTip), L"Always on top");

    const dialog_test::CTestOwner other;
    std::vector<std::unique_ptr<CImageButton>> buttons;
    for (int i = 0; i < 2; ++i) {
        buttons.push_back(std::make_unique<CImageButton>());
        ASSERT_TRUE(buttons.back()->SubclassWindow(CreateWindowExW(
            0, L"Button", L"", WS_CHILD, 0, 0, 20, 20, other.GetSafeHwnd(), nullptr, nullptr, nullptr)));
        buttons.back()->SetTipText(i == 0 ? L"first" : L"second");
    }
    const HWND hOtherTip = buttons[0]->GetToolTip();
    EXPECT_NE(hOtherTip, hTip) << "another window's own";
    EXPECT_EQ(buttons[1]->GetToolTip(), hOtherTip);
    const HWND hFirst = buttons[0]->GetSafeHwnd();
    buttons[0].reset();
    EXPECT_EQ(ToolText(hOtherTip, hFirst), L"(no tool)");
    EXPECT_EQ(ToolText(hOtherTip, buttons[1]->GetSafeHwnd()), L"second");
    buttons[1].reset();
    EXPECT_FALSE(IsWindow(hOtherTip)) << "gone with the last button";
    EXPECT_EQ(ToolText(hTip, dlg.GetDlgItem(kIdPush)), L"More");
}
