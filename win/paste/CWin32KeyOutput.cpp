#include "win/paste/CWin32KeyOutput.h"

#include "win/framework/CClipboardScope.h"
#include "win/framework/GlobalMemory.h"
#include "win/framework/CMessageLoop.h"
#include "win/framework/UniqueHandle.h"

#include <cstring>
#include <optional>

namespace brindlex {

static_assert(kKeyExtended == KEYEVENTF_EXTENDEDKEY && kKeyUp == KEYEVENTF_KEYUP);

namespace {

// Each run is also marked for the system's clipboard history and for clipboard monitors; one that
// cannot be set costs only that marking, so failures here are ignored.
void MarkAsPrivate() {
    static const UINT kExcludeFromMonitors =
        ::RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing");
    static const UINT kHistory = ::RegisterClipboardFormatW(L"CanIncludeInClipboardHistory");
    static const UINT kCloud = ::RegisterClipboardFormatW(L"CanUploadToCloudClipboard");
    const DWORD no = 0;
    for (UINT format : {kExcludeFromMonitors, kHistory, kCloud}) {
        if (format == 0) {
            continue;
        }
        CGlobalHandle hValue = CopyToGlobal(&no, sizeof no);
        if (hValue && ::SetClipboardData(format, hValue.get()) != nullptr) {
            hValue.release(); // the clipboard owns it now
        }
    }
}

} // namespace

void CWin32KeyOutput::Pause(unsigned milliseconds) {
    // A target reading the clipboard may have to ask its owner (this thread) first.
    CMessageLoop::WaitAnsweringSentMessages(milliseconds);
}

bool CWin32KeyOutput::PutClipboardText(std::u16string_view text) {
    const bool delayed = m_delayed.IsWindow();
    if (delayed) {
        // The previous run stays until the target has taken it (or it never will).
        m_delayed.WaitForReader();
    }
    // The block is filled before the clipboard is opened, so that it is held as briefly as can be.
    CGlobalHandle hText;
    if (!delayed) {
        hText = CopyToGlobal(text.data(), text.size() * sizeof(char16_t), sizeof(char16_t));
        if (!hText) {
            return false;
        }
    }
    const HWND hOwner = delayed ? m_delayed.GetSafeHwnd() : m_hClipboardOwner;
    std::optional<CClipboardScope> clipboard(std::in_place, hOwner);
    for (DWORD delay : kOpenRetryDelaysMs) {
        if (clipboard->IsOpen()) {
            break;
        }
        clipboard.reset();
        CMessageLoop::WaitAnsweringSentMessages(delay);
        clipboard.emplace(hOwner);
    }
    if (!clipboard->IsOpen() || !::EmptyClipboard()) {
        return false;
    }
    if (delayed) {
        // Announced without data: the reader's request tells us it has taken this run.
        ::SetClipboardData(CF_UNICODETEXT, nullptr);
        m_delayed.Promise(std::u16string(text));
    } else {
        if (::SetClipboardData(CF_UNICODETEXT, hText.get()) == nullptr) {
            return false;
        }
        hText.release(); // the clipboard owns it now
    }
    MarkAsPrivate();
    return true;
}

void CWin32KeyOutput::KeyEvent(std::uint8_t vk, std::uint32_t flags) {
    ::keybd_event(vk, 0, flags, 0);
}

bool CWin32KeyOutput::IsKeyDown(std::uint8_t vk) {
    return (static_cast<unsigned short>(::GetKeyState(vk)) & 0xF000u) != 0;
}

std::uint8_t CWin32KeyOutput::KeyForCharacter(char16_t ch) {
    const SHORT scan = ::VkKeyScanW(static_cast<WCHAR>(ch));
    return scan == -1 ? 0 : LOBYTE(scan);
}

} // namespace brindlex
