#include "platform/message_box_win.h"

namespace quivra::win {

namespace {
MessageBoxHook& hook() {
    static MessageBoxHook h;
    return h;
}
} // namespace

int messageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags) {
    if (hook())
        return hook()(owner, text, caption, flags);
    return MessageBoxW(owner, text, caption, flags);
}

void setMessageBoxHook(MessageBoxHook h) { hook() = std::move(h); }

} // namespace quivra::win
