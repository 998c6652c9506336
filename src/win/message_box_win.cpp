#include "win/message_box_win.h"

namespace quivra::win {

namespace {
MessageBoxHook& hook() {
    static MessageBoxHook h;
    return h;
}

int& openBoxes() {
    static int n = 0;
    return n;
}
} // namespace

ModalScope::ModalScope() {
    ++openBoxes();
}
ModalScope::~ModalScope() {
    --openBoxes();
}

int messageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags) {
    const ModalScope open;
    if (hook())
        return hook()(owner, text, caption, flags);
    return MessageBoxW(owner, text, caption, flags);
}

bool messageBoxShowing() {
    return openBoxes() > 0;
}

void setMessageBoxHook(MessageBoxHook h) {
    hook() = std::move(h);
}

} // namespace quivra::win
