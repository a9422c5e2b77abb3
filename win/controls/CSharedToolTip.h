// One tooltip window for all the image buttons of a top-level window. A tooltip is a window of
// its own, and one per button made up a good part of the main window's start; one tooltip holds a
// tool for each button instead. Each button keeps a reference; the window goes with the last of
// them (or, as every owned window, with the top-level window it belongs to).
//
//   m_pToolTip = CSharedToolTip::For(m_hWnd);
//   m_pToolTip->SetToolText(m_hWnd, L"More");
#pragma once

#include "win/framework/UniqueHandle.h"
#include "win/framework/Win32.h"

#include <memory>

namespace brindlex {

class CSharedToolTip {
public:
    // The tooltip of hWnd's top-level window; made on first use, switched off and at most 400
    // pixels wide until a tool is given a text. nullptr if no window could be made.
    static std::shared_ptr<CSharedToolTip> For(HWND hWnd);

    CSharedToolTip(HWND hWndRoot, HWND hWndTip);
    ~CSharedToolTip();
    CSharedToolTip(const CSharedToolTip&) = delete;
    CSharedToolTip& operator=(const CSharedToolTip&) = delete;

    HWND GetSafeHwnd() const { return m_wndTip.get(); }
    // Adds hWndTool's tool if it has none yet (covering its client rectangle at that moment),
    // gives it the text and switches the tooltip on.
    void SetToolText(HWND hWndTool, const wchar_t* text) const;
    void RemoveTool(HWND hWndTool) const;
    void RelayEvent(MSG* pMsg) const;

private:
    HWND m_hWndRoot;
    CWindowHandle m_wndTip;
};

} // namespace brindlex
