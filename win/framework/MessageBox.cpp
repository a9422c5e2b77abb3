#include "win/framework/MessageBox.h"

#include "win/framework/WideString.h"

namespace brindlex {

namespace {
MessageBoxHook& Hook() {
    static MessageBoxHook hook;
    return hook;
}
} // namespace

int ShowMessageBox(HWND owner, const std::u16string& text, const std::u16string& caption, UINT type) {
    if (Hook()) {
        return Hook()(owner, text, caption, type);
    }
    return MessageBoxW(owner, W(text), W(caption), type);
}

CMessageBoxHookScope::CMessageBoxHookScope(MessageBoxHook hook) : m_previous(std::move(Hook())) {
    Hook() = std::move(hook);
}

CMessageBoxHookScope::~CMessageBoxHookScope() {
    Hook() = std::move(m_previous);
}

} // namespace brindlex
