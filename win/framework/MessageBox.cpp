#include "win/framework/MessageBox.h"

#include "win/framework/WideString.h"

namespace brindlex {

int ShowMessageBox(HWND owner, const std::u16string& text, const std::u16string& caption, UINT type) {
    if (const MessageBoxHook& hook = CMessageBoxHookScope::Current()) {
        return hook(owner, text, caption, type);
    }
    return MessageBoxW(owner, W(text), W(caption), type);
}

} // namespace brindlex
