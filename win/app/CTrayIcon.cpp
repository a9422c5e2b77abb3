#include "win/app/CTrayIcon.h"

#include "win/framework/ResourceLoader.h"

#include <shellapi.h>

namespace brindlex {

CTrayIcon::~CTrayIcon() {
    Remove();
}

void CTrayIcon::Add(HWND hWnd, UINT callbackMessage, int iconId) {
    if (m_hIcon == nullptr) {
        // The notification area draws small icons at the system's scale.
        m_hIcon = LoadIconResource(iconId, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                   LR_CREATEDIBSECTION);
    }
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = hWnd;
    data.uID = 0;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage;
    data.hIcon = m_hIcon;
    lstrcpynW(data.szTip, L"Brindlex", 64);
    Shell_NotifyIconW(NIM_ADD, &data);
    m_hWnd = hWnd;
}

void CTrayIcon::Remove() {
    if (m_hWnd != nullptr) {
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof(data);
        data.hWnd = m_hWnd;
        data.uID = 0;
        Shell_NotifyIconW(NIM_DELETE, &data);
        m_hWnd = nullptr;
    }
    if (m_hIcon != nullptr) {
        DestroyIcon(m_hIcon);
        m_hIcon = nullptr;
    }
}

UINT CTrayIcon::TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

} // namespace brindlex
