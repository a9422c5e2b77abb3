#include "win/paste/CWin32KeyOutput.h"

#include "win/framework/CMessageLoop.h"
#include "win/framework/GlobalMemory.h"
#include "win/framework/UniqueHandle.h"
#include "win/paste/CPasteTarget.h"

#include <cstring>
#include <vector>

namespace brindlex {

static_assert(kKeyExtended == KEYEVENTF_EXTENDEDKEY && kKeyUp == KEYEVENTF_KEYUP);

void MarkClipboardAsPrivate() {
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

void CWin32KeyOutput::Pause(unsigned milliseconds) {
    // A target reading the clipboard may have to ask its owner (this thread) first.
    CMessageLoop::WaitAnsweringSentMessages(milliseconds);
}

void CWin32KeyOutput::OpenClipboardPatiently(std::optional<CClipboardScope>& clipboard, HWND hOwner) {
    clipboard.emplace(hOwner);
    for (DWORD delay : kOpenRetryDelaysMs) {
        if (clipboard->IsOpen()) {
            return;
        }
        clipboard.reset();
        CMessageLoop::WaitAnsweringSentMessages(delay);
        clipboard.emplace(hOwner);
    }
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
    std::optional<CClipboardScope> clipboard;
    OpenClipboardPatiently(clipboard, delayed ? m_delayed.GetSafeHwnd() : m_hClipboardOwner);
    if (!clipboard->IsOpen() || !::EmptyClipboard()) {
        return false;
    }
    if (delayed) {
        // Announced without data: the reader's request tells us it has taken this run.
        ::SetClipboardData(CF_UNICODETEXT, nullptr);
        m_delayed.Promise(std::u16string(text));
    } else {
        if (::SetClipboardData(CF_UNICODETEXT, hText.get()) == nullptr) {
            NoteOwnClipboardChange(); // emptied all the same
            return false;
        }
        hText.release(); // the clipboard owns it now
    }
    MarkClipboardAsPrivate();
    NoteOwnClipboardChange();
    return true;
}

void CWin32KeyOutput::SendKeys(std::span<const KeyStroke> keys) {
    std::vector<INPUT> inputs(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = keys[i].vk;
        // The scan code of the key itself, as a keyboard sends it; the extended flag adds its E0.
        inputs[i].ki.wScan = static_cast<WORD>(::MapVirtualKeyW(keys[i].vk, MAPVK_VK_TO_VSC));
        inputs[i].ki.dwFlags = keys[i].flags;
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool CWin32KeyOutput::IsKeyDown(std::uint8_t vk) {
    return (static_cast<unsigned short>(::GetKeyState(vk)) & 0xF000u) != 0;
}

bool CWin32KeyOutput::IsKeyHeldByUser(std::uint8_t vk) {
    return (static_cast<unsigned short>(::GetAsyncKeyState(vk)) & 0x8000u) != 0;
}

std::uint8_t CWin32KeyOutput::KeyForCharacter(char16_t ch) {
    const SHORT scan = ::VkKeyScanW(static_cast<WCHAR>(ch));
    return scan == -1 ? 0 : LOBYTE(scan);
}

bool CWin32KeyOutput::IsTargetInFront() {
    return m_hTarget == nullptr || CPasteTarget(m_hTarget).IsInFront();
}

} // namespace brindlex
