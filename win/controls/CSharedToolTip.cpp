#include "win/controls/CSharedToolTip.h"

#include "win/framework/CWinApp.h"

#include <commctrl.h>

#include <map>

namespace brindlex {

namespace {

// Each button has one tool, with this id, in its top-level window's tooltip.
constexpr UINT_PTR kToolId = 1;
constexpr LPARAM kMaxTipWidth = 400;
// What the common controls may copy out of a tool's text (a button's text is far shorter).
constexpr int kMaxToolTextLength = 80;

// The tooltip of each top-level window that has one. Only the GUI thread uses it.
std::map<HWND, std::weak_ptr<CSharedToolTip>>& ToolTips() {
    static std::map<HWND, std::weak_ptr<CSharedToolTip>> toolTips;
    return toolTips;
}

TTTOOLINFOW ToolInfo(HWND hWndTool) {
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE; // understood by every version of the common controls
    info.hwnd = hWndTool;
    info.uId = kToolId;
    return info;
}

} // namespace

std::shared_ptr<CSharedToolTip> CSharedToolTip::For(HWND hWnd) {
    const HWND hWndRoot = hWnd != nullptr ? ::GetAncestor(hWnd, GA_ROOT) : nullptr;
    if (hWndRoot == nullptr) {
        return nullptr;
    }
    auto& toolTips = ToolTips();
    if (const auto found = toolTips.find(hWndRoot); found != toolTips.end()) {
        // A tooltip whose window went with an earlier window of the same handle is not reused.
        if (auto shared = found->second.lock(); shared && ::IsWindow(shared->GetSafeHwnd())) {
            return shared;
        }
    }
    const HWND hWndTip =
        ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, hWndRoot, nullptr, AfxGetInstanceHandle(), nullptr);
    if (hWndTip == nullptr) {
        return nullptr;
    }
    ::SendMessageW(hWndTip, TTM_ACTIVATE, FALSE, 0);
    ::SendMessageW(hWndTip, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
    auto shared = std::make_shared<CSharedToolTip>(hWndRoot, hWndTip);
    toolTips[hWndRoot] = shared;
    return shared;
}

CSharedToolTip::CSharedToolTip(HWND hWndRoot, HWND hWndTip) : m_hWndRoot(hWndRoot), m_wndTip(hWndTip) {
}

CSharedToolTip::~CSharedToolTip() {
    auto& toolTips = ToolTips();
    // Only our own entry: a newer tooltip may already stand for the same handle.
    if (const auto found = toolTips.find(m_hWndRoot); found != toolTips.end() && found->second.expired()) {
        toolTips.erase(found);
    }
}

void CSharedToolTip::SetToolText(HWND hWndTool, const wchar_t* text) const {
    const HWND hWndTip = m_wndTip.get();
    TTTOOLINFOW info = ToolInfo(hWndTool);
    wchar_t held[kMaxToolTextLength] = {}; // the tool's text is copied out with the answer
    info.lpszText = held;
    if (::SendMessageW(hWndTip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)) == FALSE) {
        info = ToolInfo(hWndTool);
        ::GetClientRect(hWndTool, &info.rect);
        info.hinst = AfxGetInstanceHandle();
        info.lpszText = const_cast<wchar_t*>(text);
        ::SendMessageW(hWndTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    info = ToolInfo(hWndTool);
    info.hinst = AfxGetInstanceHandle();
    info.lpszText = const_cast<wchar_t*>(text);
    ::SendMessageW(hWndTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    ::SendMessageW(hWndTip, TTM_ACTIVATE, TRUE, 0);
}

void CSharedToolTip::RemoveTool(HWND hWndTool) const {
    TTTOOLINFOW info = ToolInfo(hWndTool);
    ::SendMessageW(m_wndTip.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void CSharedToolTip::RelayEvent(MSG* pMsg) const {
    ::SendMessageW(m_wndTip.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg));
}

} // namespace brindlex
