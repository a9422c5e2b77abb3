#include "win/framework/Callbacks.h"

#include <exception>
#include <string>

namespace brindlex {

namespace {

unsigned long g_nStopped = 0;

struct EnumContext {
    const std::function<bool(HWND)>* pVisit;
    bool bStopped;
};

BOOL CALLBACK EnumTopLevelProc(HWND hWnd, LPARAM lParam) {
    auto* pContext = reinterpret_cast<EnumContext*>(lParam);
    const bool bGoOn =
        GuardCallback("EnumWindows callback", false, [&] { return (*pContext->pVisit)(hWnd); });
    if (!bGoOn) {
        pContext->bStopped = true;
    }
    return bGoOn ? TRUE : FALSE;
}

} // namespace

void ReportCallbackException(const char* where) noexcept {
    ++g_nStopped;
    try {
        std::string text = "Brindlex: exception stopped at the ";
        text += where != nullptr ? where : "callback";
        try {
            throw;
        } catch (const std::exception& e) {
            text += ": ";
            text += e.what();
        } catch (...) {
            text += ": not a std::exception";
        }
        text += '\n';
        ::OutputDebugStringA(text.c_str());
    } catch (...) {
        ::OutputDebugStringA("Brindlex: exception stopped at a callback\n");
    }
}

unsigned long CallbackExceptionCount() noexcept {
    return g_nStopped;
}

bool EnumTopLevelWindows(const std::function<bool(HWND)>& visit) {
    EnumContext context{&visit, false};
    const BOOL ok = ::EnumWindows(EnumTopLevelProc, reinterpret_cast<LPARAM>(&context));
    return !context.bStopped && ok != FALSE;
}

} // namespace brindlex
