#include <gtest/gtest.h>

#include "app/single_instance_text.h"

using namespace quivra::app;
using quivra::window::DockEdge;

TEST(SecondCopyMessage, NamesTheClickPointOfTheStoredEdge) {
    const std::u16string head = u"Программа уже запущена! \r\r";
    struct Case {
        DockEdge edge;
        quivra::window::Screen screen;
        std::u16string rest;
    } cases[] = {
        {DockEdge::Left,
         {1920, 1080},
         u"Щелкните в левой части экрана посередине\r(координата 0x540)."},
        {DockEdge::Top,
         {1920, 1080},
         u"Щелкните в вверхней части экрана посередине\r(координата 960x0)."},
        {DockEdge::Right,
         {1920, 1080},
         u"Щелкните в правой части экрана посередине\r(координата 1920x540)."},
        {DockEdge::Bottom,
         {1920, 1080},
         u"Щелкните в нижней части экрана посередине\r(координата 960x1080)."},
        {DockEdge::Right,
         {1365, 767},
         u"Щелкните в правой части экрана посередине\r(координата 1365x383)."},
        {DockEdge::None, {1920, 1080}, u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(secondCopyText(c.edge, c.screen), head + c.rest) << int(c.edge);
    EXPECT_EQ(secondCopyCaption(), u"Quivra: Повторный запуск ");
}
