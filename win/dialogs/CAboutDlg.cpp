#include "win/dialogs/CAboutDlg.h"

#include "win/framework/ResourceLoader.h"
#include "core/app/WebAddresses.h"
#include "win/framework/CPaintDC.h"
#include "win/framework/CWinApp.h"
#include "win/framework/MessageBox.h"
#include "win/framework/WideString.h"
#include "core/layout/Dpi.h"
#include "res/resource.h"

#include <shellapi.h>

namespace brindlex {

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGrey = RGB(130, 130, 130);
constexpr COLORREF kLinkBlue = RGB(0, 0, 255);
// Posted by a paint that could not draw the banner: the user is told once the paint is over.
constexpr UINT WM_BANNER_NOT_DRAWN = WM_APP + 0x61;

} // namespace

CAboutDlg::CAboutDlg(ICommandHost& host) : CModelessDlg(IDD_ABOUTBOX, host, CommandKind::AboutClosed) {
}

CAboutDlg::~CAboutDlg() {
    ReleaseWindow();
}

const std::u16string& CAboutDlg::LegalNotice() {
    static const std::u16string notice =
        u"Brindlex is free software under the MIT License. Permission is granted, free of charge, to "
        u"use, copy, modify, merge, publish, distribute, sublicense and sell copies of it, provided "
        u"that the copyright notice and this permission notice are kept. It is provided \"as is\", "
        u"without warranty of any kind.";
    return notice;
}

bool CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_lblLegalNotice.SubclassDlgItem(IDC_LEGAL_NOTICE, this);
    m_lblVersion.SubclassDlgItem(IDC_VERSION, this);
    m_lblMakerNotice.SubclassDlgItem(IDC_MAKER_NOTICE, this);
    m_lblProductLink.SubclassDlgItem(IDC_PRODUCT_LINK, this);
    m_lblMakerLink.SubclassDlgItem(IDC_MAKER_LINK, this);
    m_lblMoreInfo.SubclassDlgItem(IDC_MORE_INFO, this);

    SizeWindow();
    CenterWindow();
    LoadBanner();

    m_lblVersion.SetSeeThrough(true).SetCaptionColour(kBlack);
    m_lblVersion.SetWindowText(u"Version " + LoadStringResource(IDS_VERSION));
    m_lblMoreInfo.SetSeeThrough(true).SetCaptionColour(kBlack);
    const HCURSOR hHand = ::LoadCursorW(nullptr, IDC_HAND);
    for (CLabel* pLink : {&m_lblProductLink, &m_lblMakerLink}) {
        pLink->MakeLink(true, true).SetSeeThrough(true).SetCaptionColour(kLinkBlue).SetUnderline(true);
        pLink->SetHoverCursor(hHand);
    }
    m_lblMakerNotice.SetSeeThrough(true).SetCaptionColour(kBlack);
    m_lblMakerNotice.SetWindowText(LoadStringResource(IDS_MAKER));
    m_lblLegalNotice.SetSeeThrough(true).SetCaptionColour(kGrey);
    m_lblLegalNotice.SetWindowText(LegalNotice());
    return true;
}

// A client area of exactly 500 x 300 pixels (at 96 DPI) whatever the frame and caption sizes; at
// first centred over the owner when that is shown, else on the work area.
void CAboutDlg::SizeWindow() {
    RECT rc{0, 0, ScaleForDpi(kClientWidth, Dpi()), ScaleForDpi(kClientHeight, Dpi())};
    ::AdjustWindowRectEx(&rc, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CAboutDlg::LoadBanner() {
    // Above 100 % the banner is drawn from its art at twice the size, scaled down, never blown up.
    TellOfBannerError(m_picture.LoadResourceImage(Dpi() > kBaseDpi ? IDR_BANNER_2X : IDR_BANNER, L"JPG"));
}

void CAboutDlg::TellOfBannerError(PictureError error) {
    const std::u16string_view text = PictureErrorText(error);
    if (text.empty()) {
        return;
    }
    CWnd* pMainWnd = AfxGetMainWnd();
    ShowMessageBox(pMainWnd != nullptr ? pMainWnd->GetSafeHwnd() : nullptr, std::u16string(text),
                   u"CPicture Error", MB_OK | MB_ICONSTOP);
}

void CAboutDlg::OnDpiChanged() {
    SizeWindow();
    LoadBanner();
}

void CAboutDlg::OnOK() {
    // Enter does nothing.
}

LRESULT CAboutDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_BANNER_NOT_DRAWN:
        TellOfBannerError(static_cast<PictureError>(wParam));
        return 0;
    case WM_NOTIFY: {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
        if (hdr != nullptr && hdr->code == kLabelLinkClicked) {
            OnLinkClicked(hdr->idFrom);
        }
        break;
    }
    default:
        break;
    }
    return CModelessDlg::WindowProc(message, wParam, lParam);
}

void CAboutDlg::OnPaint() {
    const CPaintDC dc(m_hWnd);
    const RECT rcClient = GetClientRect();
    const RECT rcBanner = BannerRect();
    // What the banner does not cover (all of it without a banner) is filled with the banner's own
    // white, so that no stale pixels stay under the see-through labels.
    const auto hBrush = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    const RECT rcRight{rcBanner.right, rcClient.top, rcClient.right, rcClient.bottom};
    const RECT rcBelow{rcClient.left, rcBanner.bottom, rcBanner.right, rcClient.bottom};
    ::FillRect(dc.get(), &rcRight, hBrush);
    ::FillRect(dc.get(), &rcBelow, hBrush);
    if (m_picture.HasImage()) {
        // The art at twice the size is averaged down, not sampled.
        ::SetStretchBltMode(dc.get(), HALFTONE);
        ::SetBrushOrgEx(dc.get(), 0, 0, nullptr);
        const PictureError error = m_picture.DrawInto(dc.get(), rcBanner);
        if (error != PictureError::kNone) {
            PostMessage(WM_BANNER_NOT_DRAWN, static_cast<WPARAM>(error));
        }
    }
}

RECT CAboutDlg::BannerRect() const {
    // The art at twice the size stands for a banner of half its pixels at 96 DPI.
    const int artScale = m_picture.GetWidth() > kBannerWidth ? 2 : 1;
    const int dpi = Dpi();
    return {0, 0, ScaleForDpi(m_picture.GetWidth() / artScale, dpi),
            ScaleForDpi(m_picture.GetHeight() / artScale, dpi)};
}

void CAboutDlg::OnLinkClicked(UINT_PTR nID) {
    const char16_t* address = nullptr;
    if (nID == IDC_PRODUCT_LINK) {
        address = kProductWebAddress;
    } else if (nID == IDC_MAKER_LINK) {
        address = kMakerWebAddress;
    }
    if (address == nullptr) {
        return;
    }
    // A browser that cannot be started is not reported.
    ::ShellExecuteW(nullptr, L"open", reinterpret_cast<const wchar_t*>(address), L"", L"", SW_SHOWNORMAL);
}

} // namespace brindlex
