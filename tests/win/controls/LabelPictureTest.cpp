// CLabel over a test parent window, and CPicture with the program's banner resource.
#include "DialogTestSupport.h"
#include "SettingsTestSupport.h"
#include "win/controls/CLabel.h"
#include "win/controls/CPicture.h"
#include "res/resource.h"

#include <algorithm>
#include <memory>

using namespace brindlex;

using namespace dialog_test;

namespace {

constexpr int kLabelId = 4242;

class Label : public ::testing::Test {
protected:
    void SetUp() override {
        LoadControls();
        owner.background = RGB(255, 0, 0);
        owner.SetWindowPos(HWND_TOPMOST, 100, 100, 400, 200, SWP_SHOWWINDOW);
    }
    // A static control as a dialog template would make it, taken over by the label.
    HWND MakeStatic(DWORD style, const wchar_t* text, HFONT font = nullptr) {
        const HWND h = CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | style, 20, 20, 240, 60,
                                       owner.GetSafeHwnd(), reinterpret_cast<HMENU>(kLabelId),
                                       GetModuleHandleW(nullptr), nullptr);
        EXPECT_NE(h, nullptr);
        if (font != nullptr) {
            SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        }
        EXPECT_TRUE(label.SubclassWindow(h));
        return h;
    }
    void Paint() {
        RedrawWindow(owner.GetSafeHwnd(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Shown();
    }
    // Until the label's new look has been painted and is on the screen.
    void Shown() {
        PumpUntil([this] { return QueueEmpty() && ScreenShows(label.GetSafeHwnd()); }, 2000);
    }
    CScreenPixels Pixels() const { return CScreenPixels(ClientOnScreen(label.GetSafeHwnd())); }

    CTestOwner owner;
    CLabel label;
};

// A font of `face`, `height` (negative: of the characters, in pixels) and `weight`.
CFontHandle MakeFont(const wchar_t* face, LONG height, LONG weight = FW_DONTCARE) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    wcscpy(lf.lfFaceName, face);
    return CFontHandle(CreateFontIndirectW(&lf));
}

int CountNear(const CScreenPixels& p, COLORREF colour, int tolerance) {
    return p.Count({0, 0, p.Width(), p.Height()}, [&](COLORREF c) { return Near(c, colour, tolerance); });
}

} // namespace

TEST_F(Label, ACopyOfTheControlsFontOrOfTheSystemFontWithout) {
    MakeStatic(SS_CENTER, L"no font");
    LOGFONTW system{};
    GetObjectW(GetStockObject(SYSTEM_FONT), sizeof system, &system);
    EXPECT_EQ(U16(label.GetLogFont().lfFaceName), U16(system.lfFaceName));
    EXPECT_EQ(label.GetLogFont().lfHeight, system.lfHeight);
    EXPECT_NE(label.GetFont(), nullptr);
    EXPECT_NE(label.GetFont(), static_cast<HFONT>(GetStockObject(SYSTEM_FONT))) << "its own copy";
}

TEST_F(Label, UnderlineRemakesItsOwnFontFromTheCopy) {
    const CFontHandle font = MakeFont(L"Tahoma", -17, FW_BOLD);
    MakeStatic(SS_LEFT, L"with a font", font.get());
    EXPECT_EQ(label.GetLogFont().lfHeight, -17);
    EXPECT_EQ(label.GetLogFont().lfWeight, FW_BOLD);
    EXPECT_NE(label.GetFont(), font.get());
    label.SetUnderline(true);
    LOGFONTW made{};
    GetObjectW(label.GetFont(), sizeof made, &made);
    EXPECT_TRUE(made.lfUnderline);
    EXPECT_EQ(made.lfHeight, -17);
    label.SetUnderline(false);
    GetObjectW(label.GetFont(), sizeof made, &made);
    EXPECT_FALSE(made.lfUnderline);

    // The dialog's font scaled for another screen: its size, the label's own look.
    label.SetUnderline(true);
    const CFontHandle larger = MakeFont(L"Tahoma", -26, FW_NORMAL);
    SendMessageW(label.GetSafeHwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(larger.get()), TRUE);
    GetObjectW(label.GetFont(), sizeof made, &made);
    EXPECT_EQ(made.lfHeight, -26);
    EXPECT_EQ(made.lfWeight, FW_BOLD);
    EXPECT_TRUE(made.lfUnderline);
}

TEST_F(Label, ALinkNotifiesItsParentOfAClickAndOnlyThen) {
    const HWND h = MakeStatic(SS_CENTER, L"link");
    EXPECT_EQ(GetWindowLongPtrW(h, GWL_STYLE) & SS_NOTIFY, 0);
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(owner.notifications.empty()) << "a plain label raises nothing";

    EXPECT_EQ(&label.MakeLink(true, true), &label);
    EXPECT_NE(GetWindowLongPtrW(h, GWL_STYLE) & SS_NOTIFY, 0);
    POINT centre{120, 30};
    ClientToScreen(h, &centre);
    EXPECT_EQ(SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(centre.x, centre.y)), HTCLIENT);
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_EQ(owner.notifications.size(), 1u);
    EXPECT_EQ(owner.notifications[0].code, kLabelLinkClicked);
    EXPECT_EQ(owner.notifications[0].idFrom, static_cast<UINT_PTR>(kLabelId));
    EXPECT_EQ(owner.notifications[0].hwndFrom, h);
    ASSERT_FALSE(owner.received.empty());
    EXPECT_EQ(owner.received.back().wParam, static_cast<WPARAM>(kLabelId));

    // A link that does not notify takes clicks but tells nobody.
    label.MakeLink(true, false);
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(owner.notifications.size(), 1u);
    // No link: SS_NOTIFY goes, so clicks fall through to the parent.
    label.MakeLink(false, false);
    EXPECT_EQ(GetWindowLongPtrW(h, GWL_STYLE) & SS_NOTIFY, 0);
    EXPECT_EQ(SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(centre.x, centre.y)), HTTRANSPARENT);
}

TEST_F(Label, SeeThroughShowsTheParentAndAnOpaqueLabelItsFaceColour) {
    const CFontHandle font = MakeFont(L"Tahoma", -24, FW_BOLD);
    const HWND h = MakeStatic(SS_CENTER, L"WWWW MMMM", font.get());
    label.SetCaptionColour(RGB(0, 0, 255));
    Paint();
    {
        const CScreenPixels p = Pixels();
        ASSERT_TRUE(p.Valid());
        EXPECT_GT(CountNear(p, GetSysColor(COLOR_BTNFACE), 4), p.Width() * p.Height() / 2)
            << "opaque: the face";
        EXPECT_EQ(CountNear(p, RGB(255, 0, 0), 30), 0);
        EXPECT_GT(CountNear(p, RGB(0, 0, 255), 60), 50) << "the text in its colour";
    }
    label.SetSeeThrough(true);
    EXPECT_NE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TRANSPARENT, 0);
    Paint();
    {
        const CScreenPixels p = Pixels();
        EXPECT_GT(CountNear(p, RGB(255, 0, 0), 4), p.Width() * p.Height() / 2) << "see-through: the parent";
        EXPECT_GT(CountNear(p, RGB(0, 0, 255), 60), 50);
    }
    // A new colour repaints the parent under the label at once: no old text stays.
    label.SetCaptionColour(RGB(0, 200, 0));
    Shown();
    {
        const CScreenPixels p = Pixels();
        EXPECT_EQ(CountNear(p, RGB(0, 0, 255), 60), 0) << "no trace of the blue text";
        EXPECT_GT(CountNear(p, RGB(0, 200, 0), 60), 50);
    }
    // So does a new text.
    SetWindowTextW(h, L"");
    Shown();
    EXPECT_EQ(CountNear(Pixels(), RGB(0, 200, 0), 60), 0);
    // Opaque again: the flag goes, the transparent style stays.
    label.SetSeeThrough(false);
    EXPECT_NE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TRANSPARENT, 0);
    EXPECT_FALSE(label.IsSeeThrough());
}

// An underlined line (a link) is underlined exactly as far as its text goes, and stays centred;
// underlined text too long for one line still wraps.
TEST_F(Label, AnUnderlinedLineEndsWithItsTextAndLongerTextStillWraps) {
    const CFontHandle font = MakeFont(L"MS Shell Dlg", -11); // the about box's font at 8 points
    const HWND h = MakeStatic(SS_CENTER, L"https://brindlex.example.org/developers/", font.get());
    label.SetCaptionColour(RGB(0, 0, 255)).SetUnderline(true);
    Paint();
    const CScreenPixels p = Pixels();
    ASSERT_TRUE(p.Valid());
    const auto blue = [](COLORREF c) { return Near(c, RGB(0, 0, 255), 60); };
    // The underline is the row with the most text colour; the text is everything above it.
    const auto row = [&](int y) { return p.Count({0, y, p.Width(), y + 1}, blue); };
    int underline = 0;
    for (int y = 1; y < 20; ++y) {
        underline = row(y) > row(underline) ? y : underline;
    }
    ASSERT_GT(underline, 0);
    const auto extent = [&](int top, int bottom) { // first and last column with text colour
        std::pair<int, int> e{p.Width(), -1};
        for (int x = 0; x < p.Width(); ++x) {
            if (p.Count({x, top, x + 1, bottom}, blue) > 0) {
                e = {std::min(e.first, x), x};
            }
        }
        return e;
    };
    const auto [lineLeft, lineRight] = extent(underline, underline + 1);
    const auto [textLeft, textRight] = extent(0, underline);
    EXPECT_NEAR(lineLeft, textLeft, 1);
    EXPECT_NEAR(lineRight, textRight, 1) << "the underline ends with the text";
    EXPECT_NEAR(lineLeft + lineRight + 1, p.Width(), 2) << "centred";

    SetWindowTextW(h, L"brindlex.example.org/developers brindlex.example.org/developers");
    Paint();
    const CScreenPixels wrapped = Pixels();
    EXPECT_GT(wrapped.Count({0, underline + 2, wrapped.Width(), wrapped.Height()},
                            [](COLORREF c) { return Near(c, RGB(0, 0, 255), 60); }),
              100)
        << "a second line";
}

// ---------------------------------------------------------------------------------------------

namespace {

class Picture : public ::testing::Test {
protected:
    store_test::CMessageRecorder messages;
    CPicture picture;
};

// Draws the picture into a white bitmap of the given size and reads it back.
std::vector<COLORREF> Render(CPicture& picture, int cx, int cy, bool* ok) {
    HDC hScreen = GetDC(nullptr);
    CMemoryDC dc(CreateCompatibleDC(hScreen));
    CBitmapHandle bitmap(CreateCompatibleBitmap(hScreen, cx, cy));
    ReleaseDC(nullptr, hScreen);
    HGDIOBJ old = SelectObject(dc.get(), bitmap.get());
    RECT rc{0, 0, cx, cy};
    FillRect(dc.get(), &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    *ok = picture.DrawInto(dc.get(), rc) == PictureError::kNone;
    std::vector<COLORREF> out;
    for (int y = 0; y < cy; ++y) {
        for (int x = 0; x < cx; ++x) {
            out.push_back(GetPixel(dc.get(), x, y));
        }
    }
    SelectObject(dc.get(), old);
    return out;
}

// Pixels as dark as the banner's title (dark blue) in a rectangle of the rendered picture.
int DarkPixels(const std::vector<COLORREF>& px, int cx, const RECT& rc) {
    int dark = 0;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) {
            const COLORREF c = px[static_cast<std::size_t>(y) * cx + x];
            dark += GetRValue(c) + GetGValue(c) + GetBValue(c) < 300 ? 1 : 0;
        }
    }
    return dark;
}

} // namespace

TEST_F(Picture, TheBannerLoadsAtItsSizeInPixels) {
    EXPECT_FALSE(picture.HasImage());
    EXPECT_EQ(picture.GetWidth(), 0);
    ASSERT_EQ(picture.LoadResourceImage(IDR_BANNER, L"JPG"), PictureError::kNone);
    EXPECT_TRUE(picture.HasImage());
    EXPECT_EQ(picture.GetWidth(), 445);
    EXPECT_EQ(picture.GetHeight(), 209);
    const HRSRC res = FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_BANNER), L"JPG");
    ASSERT_NE(res, nullptr);
    EXPECT_EQ(picture.GetSize(), static_cast<int>(SizeofResource(GetModuleHandleW(nullptr), res)));
    // Again: the first picture goes, the second takes its place.
    ASSERT_EQ(picture.LoadResourceImage(IDR_BANNER, L"JPG"), PictureError::kNone);
    EXPECT_EQ(picture.GetWidth(), 445);
    EXPECT_TRUE(messages.messages.empty());
    picture.ReleaseImage();
    EXPECT_FALSE(picture.HasImage());
    EXPECT_EQ(picture.GetWidth(), 0);
    EXPECT_EQ(picture.GetHeight(), 0);
    EXPECT_EQ(picture.GetSize(), 0);
}

TEST_F(Picture, AMissingResourceIsReturnedAndLeavesNoPicture) {
    ASSERT_EQ(picture.LoadResourceImage(IDR_BANNER, L"JPG"), PictureError::kNone);
    // The right id under another type is not found.
    const PictureError error = picture.LoadResourceImage(IDR_BANNER, L"PNG");
    EXPECT_EQ(error, PictureError::kResourceNotFound);
    EXPECT_EQ(std::u16string(PictureErrorText(error)), u"FindResource() Failed\t");
    EXPECT_FALSE(picture.HasImage());
    EXPECT_EQ(picture.GetWidth(), 0);
    EXPECT_EQ(picture.GetHeight(), 0);
    EXPECT_TRUE(messages.messages.empty()) << "the owner tells the user, not the picture";
}

TEST_F(Picture, BytesThatAreNoPictureLeaveNone) {
    // The program's manifest: a resource, but no image.
    const PictureError error = picture.LoadResourceImage(1, MAKEINTRESOURCEW(24) /* RT_MANIFEST */);
    EXPECT_EQ(error, PictureError::kNotAPicture);
    EXPECT_TRUE(PictureErrorText(error).empty()) << "not worth a message";
    EXPECT_FALSE(picture.HasImage());
    EXPECT_EQ(picture.GetWidth(), 0);
    const char junk[] = "certainly not a JPEG";
    EXPECT_EQ(picture.LoadImageBytes(junk, sizeof junk), PictureError::kNotAPicture);
    EXPECT_FALSE(picture.HasImage());
    bool drawn = true;
    Render(picture, 10, 10, &drawn);
    EXPECT_FALSE(drawn) << "nothing to draw";
}

TEST_F(Picture, DrawsUprightAndScaledIntoTheRectangle) {
    ASSERT_EQ(picture.LoadResourceImage(IDR_BANNER, L"JPG"), PictureError::kNone);
    bool ok = false;
    const auto full = Render(picture, 445, 209, &ok);
    ASSERT_TRUE(ok);
    // The title "Brindlex" stands in rows 55 to 90; drawn upside down it would be in rows 120 to 155,
    // where the upright banner has only light tagline and token chips.
    EXPECT_GT(DarkPixels(full, 445, {160, 55, 340, 90}), 1000);
    EXPECT_LT(DarkPixels(full, 445, {160, 120, 340, 155}), 50) << "upside down?";
    // Half the size: the same picture, scaled.
    const auto half = Render(picture, 222, 104, &ok);
    ASSERT_TRUE(ok);
    EXPECT_GT(DarkPixels(half, 222, {80, 27, 170, 45}), 250);
    EXPECT_LT(DarkPixels(half, 222, {80, 60, 170, 77}), 15);
    EXPECT_EQ(picture.DrawInto(nullptr, RECT{0, 0, 10, 10}), PictureError::kNothingToDraw);
    EXPECT_TRUE(messages.messages.empty());
}
