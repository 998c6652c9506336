#include "app/single_instance_text.h"

#include "base/utf.h"

namespace quivra::app {

namespace {

std::u16string number(int value) {
    return base::utf8ToUtf16(std::to_string(value));
}

std::u16string where(std::u16string_view side, int x, int y) {
    std::u16string text = u"Щелкните в ";
    text += side;
    text += u" части экрана посередине\r(координата ";
    text += number(x);
    text += u"x";
    text += number(y);
    text += u").";
    return text;
}

} // namespace

std::u16string secondCopyCaption() {
    return u"Quivra: Повторный запуск ";
}

std::u16string secondCopyText(window::DockEdge edge, window::Screen screen) {
    std::u16string text = u"Программа уже запущена! \r\r";
    const int midX = screen.width / 2;
    const int midY = screen.height / 2;
    switch (edge) {
    case window::DockEdge::Left:
        text += where(u"левой", 0, midY);
        break;
    case window::DockEdge::Top:
        // Keep "вверхней" as written: the message is fixed word for word.
        text += where(u"вверхней", midX, 0);
        break;
    case window::DockEdge::Right:
        text += where(u"правой", screen.width, midY);
        break;
    case window::DockEdge::Bottom:
        text += where(u"нижней", midX, screen.height);
        break;
    case window::DockEdge::None:
        break;
    }
    return text;
}

} // namespace quivra::app
