// The about box in-process: its fixed size, the banner on the screen, the labels' texts, colours
// and link styles, and how it reports its end to a test host.
#include "DialogTestSupport.h"
#include "SettingsTestSupport.h"
#include "RecordingCommandHost.h"
#include "win/dialogs/CAboutDlg.h"
#include "res/resource.h"

#include <memory>

using namespace brindlex;

using namespace dialog_test;

namespace {

class AboutBox : public ::testing::Test {
protected:
    void SetUp() override {
        LoadControls();
        host.onCommand = [this](const AppCommand& c) {
            if (c.kind == CommandKind::AboutClosed) {
                dlg.reset();
            }
        };
    }
    void Open() {
        dlg = std::make_unique<CAboutDlg>(host);
        ASSERT_TRUE(dlg->Create(owner.GetSafeHwnd()));
        dlg->CenterWindow(GetDesktopWindow());
        dlg->ShowWindow(SW_SHOW);
        hDlg = dlg->GetSafeHwnd();
        PumpUntil(QueueEmpty);
    }
    std::u16string TextOf(int id) const { return GetWindowTextU16(GetDlgItem(hDlg, id)); }
    RECT LabelRect(int id) const {
        RECT rc{};
        GetWindowRect(GetDlgItem(hDlg, id), &rc);
        MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }

    store_test::CMessageRecorder messages; // a failing banner would say so here
    CRecordingCommandHost host;
    CTestOwner owner;
    std::unique_ptr<CAboutDlg> dlg;
    HWND hDlg = nullptr;
};

std::u16string LoadString16(UINT id) {
    const wchar_t* text = nullptr;
    const int n = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return n > 0 ? U16(text, static_cast<std::size_t>(n)) : std::u16string();
}

} // namespace

TEST_F(AboutBox, HasAFixedClientAreaOfFiveHundredByThreeHundred) {
    Open();
    EXPECT_EQ(GetWindowTextU16(hDlg), u"About Brindlex");
    RECT rc{};
    GetClientRect(hDlg, &rc);
    EXPECT_EQ(rc.right, 500);
    EXPECT_EQ(rc.bottom, 300);
    EXPECT_EQ(dlg->GetBanner().GetWidth(), 445);
    EXPECT_EQ(dlg->GetBanner().GetHeight(), 209);
    EXPECT_TRUE(messages.messages.empty());

    // Moved to a screen at 150 %: 750 x 450, with the banner's art at twice the size.
    RECT suggested{0, 0, 800, 500};
    SendMessageW(hDlg, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    GetClientRect(hDlg, &rc);
    EXPECT_EQ(rc.right, 750);
    EXPECT_EQ(rc.bottom, 450);
    EXPECT_EQ(dlg->GetBanner().GetWidth(), 890);
}

// The box tells the user of a banner that failed with words for it, and only of that.
TEST_F(AboutBox, TellsOfABannerFailureInACPictureErrorBox) {
    CAboutDlg::TellOfBannerError(PictureError::kNotAPicture);
    CAboutDlg::TellOfBannerError(PictureError::kNone);
    EXPECT_TRUE(messages.messages.empty());
    CAboutDlg::TellOfBannerError(PictureError::kResourceNotFound);
    CAboutDlg::TellOfBannerError(PictureError::kRenderFailed);
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[0].text, u"FindResource() Failed\t");
    EXPECT_EQ(messages.messages[0].caption, u"CPicture Error");
    EXPECT_EQ(messages.messages[0].type, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(messages.messages[1].text, u"Can not allocate enough memory\t");
}

TEST_F(AboutBox, LabelsCarryTheVersionTheNoticesAndTheLinks) {
    Open();
    EXPECT_EQ(TextOf(IDC_VERSION), u"Version 1.1");
    EXPECT_EQ(TextOf(IDC_MAKER_NOTICE), LoadString16(IDS_MAKER));
    EXPECT_FALSE(TextOf(IDC_MAKER_NOTICE).empty());
    EXPECT_EQ(TextOf(IDC_MORE_INFO), u"For more information and updates visit:");
    EXPECT_EQ(TextOf(IDC_LEGAL_NOTICE), CAboutDlg::LegalNotice());
    EXPECT_NE(CAboutDlg::LegalNotice().find(u"MIT License"), std::u16string::npos);
    for (const int id :
         {IDC_LEGAL_NOTICE, IDC_VERSION, IDC_MAKER_NOTICE, IDC_MORE_INFO, IDC_PRODUCT_LINK, IDC_MAKER_LINK}) {
        const HWND hLabel = GetDlgItem(hDlg, id);
        EXPECT_NE(GetWindowLongPtrW(hLabel, GWL_EXSTYLE) & WS_EX_TRANSPARENT, 0) << id << " is see-through";
        const bool link = id == IDC_PRODUCT_LINK || id == IDC_MAKER_LINK;
        EXPECT_EQ((GetWindowLongPtrW(hLabel, GWL_STYLE) & SS_NOTIFY) != 0, link) << id;
        // Only the links take clicks; the others leave them to the box.
        POINT centre{};
        RECT rc{};
        GetWindowRect(hLabel, &rc);
        centre = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        const LRESULT hit = SendMessageW(hLabel, WM_NCHITTEST, 0, MAKELPARAM(centre.x, centre.y));
        EXPECT_EQ(hit, link ? HTCLIENT : HTTRANSPARENT) << id;
    }
    // The links show the hand over them.
    const HWND hLink = GetDlgItem(hDlg, IDC_PRODUCT_LINK);
    EXPECT_EQ(SendMessageW(hLink, WM_SETCURSOR, reinterpret_cast<WPARAM>(hLink),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

TEST_F(AboutBox, ShowsTheBannerAndTheLabelsInTheirColours) {
    Open();
    ShowOnTop(hDlg);
    const CScreenPixels pixels(ClientOnScreen(hDlg));
    ASSERT_TRUE(pixels.Valid());
    ASSERT_EQ(pixels.Width(), 500);
    const auto white = [](COLORREF c) { return Near(c, RGB(255, 255, 255), 6); };
    // The banner: mostly light, but with a picture and a title in it.
    const int banner = 445 * 209;
    const int notWhite = banner - pixels.Count({0, 0, 445, 209}, white);
    EXPECT_GT(notWhite, banner / 20) << "the banner is drawn";
    // Its name in dark blue, upright: in the upper half, left of the labels.
    EXPECT_GT(pixels.Count({150, 40, 345, 95}, [](COLORREF c) { return Near(c, RGB(0x1b, 0x3e, 0x68), 40); }),
              200);
    // Below and right of the banner the box is plain white but for the labels' text.
    std::vector<RECT> labels;
    for (const int id :
         {IDC_LEGAL_NOTICE, IDC_VERSION, IDC_MAKER_NOTICE, IDC_MORE_INFO, IDC_PRODUCT_LINK, IDC_MAKER_LINK}) {
        labels.push_back(LabelRect(id));
    }
    int outside = 0;
    int stray = 0;
    for (int y = 0; y < 300; ++y) {
        for (int x = 0; x < 500; ++x) {
            const POINT pt{x, y};
            bool covered = x < 445 && y < 209;
            for (const RECT& rc : labels) {
                covered = covered || PtInRect(&rc, pt) != FALSE;
            }
            if (!covered) {
                ++outside;
                stray += white(pixels.At(x, y)) ? 0 : 1;
            }
        }
    }
    EXPECT_GT(outside, 10000) << "a good part of the box is checked";
    EXPECT_EQ(stray, 0) << "pixels neither white nor the banner's nor a label's";
    // The legal notice in grey, the links in blue, the versions line in black.
    const RECT legal = LabelRect(IDC_LEGAL_NOTICE);
    EXPECT_GT(pixels.Count(legal, [](COLORREF c) { return Near(c, RGB(130, 130, 130), 30); }), 100);
    const RECT link = LabelRect(IDC_PRODUCT_LINK);
    EXPECT_GT(pixels.Count(link, [](COLORREF c) { return Near(c, RGB(0, 0, 255), 60); }), 40);
    const RECT makerLink = LabelRect(IDC_MAKER_LINK);
    EXPECT_GT(pixels.Count(makerLink, [](COLORREF c) { return Near(c, RGB(0, 0, 255), 60); }), 40);
    const RECT version = LabelRect(IDC_VERSION);
    EXPECT_GT(pixels.Count(version, [](COLORREF c) { return Near(c, RGB(0, 0, 0), 60); }), 20);
}

TEST_F(AboutBox, EnterDoesNothingAndEscapeReportsTheEnd) {
    Open();
    SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_FALSE(PumpUntil([&] { return host.Count(CommandKind::AboutClosed) > 0; }, 50));
    ASSERT_NE(dlg, nullptr);
    EXPECT_TRUE(dlg->IsWindow());
    // Esc through the dialog manager, as a person presses it.
    SetForegroundWindow(hDlg);
    SetFocus(hDlg);
    PostMessageW(hDlg, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PumpUntil([&] { return dlg == nullptr; }, 2000);
    EXPECT_EQ(host.Count(CommandKind::AboutClosed), 1);
    EXPECT_EQ(dlg, nullptr) << "released by the host while reporting";
    PumpUntil(QueueEmpty);
}

TEST_F(AboutBox, TheCloseBoxReportsTheEndAndTheBoxDoesNotDestroyItself) {
    host.onCommand = nullptr; // this host keeps the box
    Open();
    SendMessageW(hDlg, WM_CLOSE, 0, 0);
    PumpUntil([&] { return host.Count(CommandKind::AboutClosed) > 0; }, 2000);
    EXPECT_EQ(host.Count(CommandKind::AboutClosed), 1);
    EXPECT_TRUE(IsWindow(hDlg));
    dlg.reset();
    EXPECT_FALSE(IsWindow(hDlg)) << "releasing the object destroys the window";
}
