#include "document/link_target.h"

#include <gtest/gtest.h>

TEST(LinkTarget, OnlyWebAndMailLinksOpenWithoutAsking) {
    for (std::u16string_view link : {u"http://example.com", u"HTTPS://x.y/z", u"mailto:a@b.c"})
        EXPECT_TRUE(quivra::document::opensWithoutAsking(link));
    for (std::u16string_view link :
         {u"file://C:/Windows/System32/calc.exe", u"C:\\prog.exe", u"www.example.com", u"http"})
        EXPECT_FALSE(quivra::document::opensWithoutAsking(link));
}
