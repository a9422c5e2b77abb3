// The image button on a real dialog: toggle behaviour, hover tracking, tooltip, icon ownership,
// and that the toggle's on state looks different from its off state.
#include "DialogTemplateBuilder.h"
#include "controls/CImageButton.h"
#include "framework/CDialog.h"
#include "framework/CMessageLoop.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

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
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
            clicked.push_back(LOWORD(wParam));
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

}  // namespace

TEST(ImageButton, CheckBoxTemplateBecomesAToggleThatFlipsBeforeTheParentHears) {
    const CDialogTemplateBuilder t = ButtonsTemplate();
    CButtonsDialog dlg(t.Get());
    ASSERT_TRUE(dlg.Create(nullptr));
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
    EXPECT_EQ(SendMessageW(dlg.GetDlgItem(kIdPush), BM_GETCHECK, 0, 0), BST_UNCHECKED) << "a push button stays one";
    dlg.EndDialog(IDCANCEL);
}

TEST(ImageButton, ToggleOnLooksPressed) {
    const CDialogTemplateBuilder t = ButtonsTemplate();
    CButtonsDialog dlg(t.Get());
    ASSERT_TRUE(dlg.Create(nullptr));
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
    dlg.EndDialog(IDCANCEL);
}

TEST(ImageButton, HoverTooltipAndIconOwnership) {
    const CDialogTemplateBuilder t = ButtonsTemplate();
    CButtonsDialog dlg(t.Get());
    ASSERT_TRUE(dlg.Create(nullptr));
    HWND hPush = dlg.GetDlgItem(kIdPush);

    EXPECT_FALSE(dlg.push.IsHovering());
    SendMessageW(hPush, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(dlg.push.IsHovering());

    EXPECT_EQ(dlg.push.GetToolTip(), nullptr);
    dlg.push.SetTipText(L"More");
    ASSERT_NE(dlg.push.GetToolTip(), nullptr);
    wchar_t text[32] = {};
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.lpszText = text;
    ASSERT_TRUE(SendMessageW(dlg.push.GetToolTip(), TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&ti)));
    EXPECT_STREQ(text, L"More");

    HICON hIcon = static_cast<HICON>(LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, 0, 0, LR_SHARED));
    EXPECT_EQ(dlg.push.AssignIcon(CopyIcon(hIcon)), 0);
    EXPECT_GT(dlg.push.GetIconWidth(), 0);
    EXPECT_EQ(dlg.push.AssignIcon(reinterpret_cast<HICON>(static_cast<INT_PTR>(0x1234))), 1) << "no usable icon";
    EXPECT_EQ(dlg.push.GetIconWidth(), 0);
    dlg.EndDialog(IDCANCEL);
}
