// The about box: a modeless window of a fixed 500 x 300 pixel client area with the banner at its
// top left, the version, the makers' line, two links and the licence notice as see-through
// labels over it. Esc and the close box report AboutClosed to its host (the main window), which
// releases the box; Enter does nothing. The box never ends itself.
#pragma once

#include "win/controls/CLabel.h"
#include "win/controls/CPicture.h"
#include "win/dialogs/CModelessDlg.h"

#include <string>

namespace brindlex {

class CAboutDlg : public CModelessDlg {
public:
    explicit CAboutDlg(ICommandHost& host);
    ~CAboutDlg() override;

    static constexpr int kClientWidth = 500;
    static constexpr int kClientHeight = 300;
    static constexpr int kBannerWidth = 445; // at 96 DPI

    // The licence paragraph shown at the bottom of the box.
    static const std::u16string& LegalNotice();
    const CPicture& GetBanner() const { return m_picture; }
    // A banner failure with words for the user is shown over the main window in a "CPicture Error"
    // box; the box goes on without the banner (or with what was drawn of it).
    static void TellOfBannerError(PictureError error);

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void SizeWindow();
    void LoadBanner();
    void OnDpiChanged() override;
    void OnPaint();
    // Where the banner is drawn: its size at 96 DPI, scaled to the box's.
    RECT BannerRect() const;
    void OnLinkClicked(UINT_PTR nID);

    CPicture m_picture;
    CLabel m_lblLegalNotice; // 1011
    CLabel m_lblVersion;     // 1012
    CLabel m_lblMakerNotice; // 1013
    CLabel m_lblProductLink; // 1015
    CLabel m_lblMakerLink;   // 1016
    CLabel m_lblMoreInfo;    // 1014
};

} // namespace brindlex
