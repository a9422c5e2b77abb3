#include "win/paste/CPasteTarget.h"

#include "win/framework/CMessageLoop.h"
#include "win/framework/UniqueHandle.h"
#include "core/paste/TargetIntegrity.h"

#include <vector>

namespace brindlex {

namespace {

struct KernelHandleTraits {
    using Handle = HANDLE;
    static void Close(HANDLE h) noexcept { ::CloseHandle(h); }
};
using CKernelHandle = CUniqueHandle<KernelHandleTraits>;

std::optional<unsigned> TokenIntegrityLevelOf(HANDLE hProcess) {
    HANDLE hToken = nullptr;
    if (!::OpenProcessToken(hProcess, TOKEN_QUERY, &hToken)) {
        return std::nullopt;
    }
    const CKernelHandle token(hToken);
    DWORD size = 0;
    ::GetTokenInformation(token.get(), TokenIntegrityLevel, nullptr, 0, &size);
    if (size < sizeof(TOKEN_MANDATORY_LABEL)) {
        return std::nullopt;
    }
    std::vector<unsigned char> buffer(size);
    if (!::GetTokenInformation(token.get(), TokenIntegrityLevel, buffer.data(), size, &size)) {
        return std::nullopt;
    }
    const PSID sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
    if (sid == nullptr || !::IsValidSid(sid) || *::GetSidSubAuthorityCount(sid) == 0) {
        return std::nullopt;
    }
    return static_cast<unsigned>(*::GetSidSubAuthority(sid, *::GetSidSubAuthorityCount(sid) - 1u));
}

} // namespace

void CPasteTarget::BringToFront() const {
    // Nothing here waits for the target's own thread, which may hang: the restore is posted to it,
    // and the foreground wait that follows decides.
    if (::IsIconic(m_hWnd)) {
        ::ShowWindowAsync(m_hWnd, SW_RESTORE);
    }
    ::SetForegroundWindow(m_hWnd);
}

bool CPasteTarget::IsInFront() const {
    const HWND hForeground = ::GetForegroundWindow();
    return hForeground != nullptr &&
           (hForeground == m_hWnd || ::GetAncestor(hForeground, GA_ROOTOWNER) == m_hWnd);
}

PasteTargetState CPasteTarget::WaitUntilReady(DWORD milliseconds) const {
    if (!::IsWindow(m_hWnd)) {
        return PasteTargetState::NotInFront; // closed since the list was built
    }
    const ULONGLONG deadline = ::GetTickCount64() + milliseconds;
    while (!IsInFront()) {
        if (::GetTickCount64() >= deadline) {
            return PasteTargetState::NotInFront;
        }
        CMessageLoop::WaitAnsweringSentMessages(5);
    }
    DWORD processId = 0;
    ::GetWindowThreadProcessId(m_hWnd, &processId);
    const bool allowed =
        CanTypeInto(ProcessIntegrityLevel(::GetCurrentProcessId()), ProcessIntegrityLevel(processId));
    return allowed ? PasteTargetState::Ready : PasteTargetState::Elevated;
}

std::optional<unsigned> ProcessIntegrityLevel(DWORD processId) {
    if (processId == ::GetCurrentProcessId()) {
        return TokenIntegrityLevelOf(::GetCurrentProcess());
    }
    const CKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) {
        return std::nullopt;
    }
    return TokenIntegrityLevelOf(process.get());
}

bool IsWindowOfThisThread(HWND hWnd) {
    return hWnd != nullptr && ::GetWindowThreadProcessId(hWnd, nullptr) == ::GetCurrentThreadId();
}

} // namespace brindlex
