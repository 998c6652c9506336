// The format keys on the focused rich-text view.
#include "editor/format_keys_win.h"

namespace quivra::editor {

namespace {

constexpr DWORD kStyleMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;

} // namespace

void writeStyle(document::RichEdit& view, unsigned style) {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = kStyleMask;
    format.dwEffects = style;
    view.setCharFormat(format);
}

void writeAlignment(document::RichEdit& view, Alignment alignment) {
    PARAFORMAT2 format{};
    format.cbSize = sizeof format;
    format.dwMask = PFM_ALIGNMENT;
    format.wAlignment = static_cast<WORD>(alignment);
    view.setParaFormat(format);
}

document::RichEdit* FormatKeys::focusedView() const {
    HWND focus = GetFocus();
    if (!focus)
        return nullptr;
    if (focus == note_.hwnd())
        return &note_;
    for (document::RichEdit* view : formatViews_)
        if (view->hwnd() == focus)
            return view;
    return nullptr;
}

void FormatKeys::toggleStyle(unsigned bit) {
    if (document::RichEdit* view = focusedView())
        writeStyle(*view, styleAfterShortcut(view->charFormat().dwEffects, bit));
}

void FormatKeys::alignFocusedView(Alignment alignment) {
    if (document::RichEdit* view = focusedView())
        writeAlignment(*view, alignment);
}

} // namespace quivra::editor
