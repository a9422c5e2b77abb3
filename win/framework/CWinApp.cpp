#include "win/framework/CWinApp.h"

#include "win/framework/CMessageLoop.h"
#include "win/framework/Callbacks.h"

namespace brindlex {

namespace {
CWinApp* g_pApp = nullptr;
}

CWinApp::CWinApp() {
    g_pApp = this;
}

CWinApp::~CWinApp() {
    if (g_pApp == this) {
        g_pApp = nullptr;
    }
}

bool CWinApp::InitInstance() {
    return true;
}

int CWinApp::Run() {
    return CMessageLoop::Run();
}

CWinApp* AfxGetApp() {
    return g_pApp;
}

CWnd* AfxGetMainWnd() {
    return g_pApp != nullptr ? g_pApp->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
    if (g_pApp != nullptr && g_pApp->m_hInstance != nullptr) {
        return g_pApp->m_hInstance;
    }
    return ::GetModuleHandleW(nullptr);
}

int AfxWinMain(HINSTANCE hInstance, LPWSTR lpCmdLine, int nCmdShow) {
    CWinApp* pApp = g_pApp;
    if (pApp == nullptr) {
        return 1;
    }
    pApp->m_hInstance = hInstance;
    pApp->m_lpCmdLine = lpCmdLine != nullptr ? lpCmdLine : L"";
    pApp->m_nCmdShow = nCmdShow;
    try {
        if (!pApp->InitInstance()) {
            return 0;
        }
        return pApp->Run();
    } catch (...) {
        ReportCallbackException("application entry");
        return 1;
    }
}

} // namespace brindlex
