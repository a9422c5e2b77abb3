#include "win/app/TargetWindows.h"

#include "win/framework/WideString.h"

namespace brindlex {

namespace {

struct EnumContext {
    CTargetListModel* model;
    HWND hOwn;
};

BOOL CALLBACK EnumTargetProc(HWND hWnd, LPARAM lParam) {
    try {
        auto* ctx = reinterpret_cast<EnumContext*>(lParam);
        if (!IsTargetWindow(hWnd, ctx->hOwn)) {
            return TRUE;
        }
        wchar_t title[256] = {};
        const int length = GetWindowTextW(hWnd, title, 256);
        ctx->model->Add(U16(title, static_cast<std::size_t>(length > 0 ? length : 0)),
                        reinterpret_cast<std::uintptr_t>(hWnd));
    } catch (...) {
        // An exception must not unwind through EnumWindows; the window is simply not listed.
    }
    return TRUE;
}

} // namespace

bool IsTargetWindow(HWND hWnd, HWND hOwnMainWnd) {
    if (!IsWindowVisible(hWnd) || hWnd == hOwnMainWnd) {
        return false;
    }
    if (GetParent(hWnd) != nullptr || GetWindow(hWnd, GW_OWNER) != nullptr) {
        return false;
    }
    if ((GetWindowLongW(hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0) {
        return false;
    }
    wchar_t className[80] = {};
    GetClassNameW(hWnd, className, 80);
    return lstrcmpiW(className, L"Progman") != 0;
}

void CollectTargetWindows(CTargetListModel& model, HWND hOwnMainWnd) {
    model.Clear();
    EnumContext ctx{&model, hOwnMainWnd};
    EnumWindows(EnumTargetProc, reinterpret_cast<LPARAM>(&ctx));
}

int CompareTargetTitles(const std::u16string& a, const std::u16string& b) {
    // What a sorted combo box does: a case-insensitive comparison in the user's locale.
    const int r = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, W(a), static_cast<int>(a.size()), W(b),
                                 static_cast<int>(b.size()));
    return r == 0 ? lstrcmpiW(W(a), W(b)) : r - CSTR_EQUAL;
}

void BringWindowToFront(HWND hWnd, bool restore) {
    if (hWnd == nullptr) {
        return;
    }
    if (restore && IsIconic(hWnd)) {
        ShowWindow(hWnd, SW_RESTORE);
    }
    SetForegroundWindow(hWnd);
}

} // namespace brindlex
