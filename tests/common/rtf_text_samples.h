// RTF documents with the text the editor under Wine shows for each: the core
// test reads them without the editor, the UI test loads them into it.
#pragma once

#include <optional>
#include <string>

namespace quivra::document::testing {

struct RtfTextSample {
    const char* rtf;
    std::optional<std::u16string> text; // none: the editor rejects the document
};

inline const RtfTextSample kRtfTextSamples[] = {
    {"{\\rtf1\\ansi a\\line b\\par c}", u"a b\rc"},
    {"{\\rtf1\\ansi a\\page b\\sect c\\par d}", u"a\rb\rc\rd"},
    {"{\\rtf1\\ansi a\\par b\\par\\par}", u"a\rb\r"},
    {"{\\rtf1\\ansi x\\par\\trowd\\cellx1000\\cellx2000\\intbl a\\cell b\\cell\\row\\pard y\\par}",
     u"x\r\r\na\tb\t\r\ny"},
    {"{\\rtf1\\ansi a{\\pict\\wmetafile8\\picw10 0100}b{\\pict\\bin3 \x01\x7d\x7b}c\\par}", u"abc"},
    {"{\\rtf1\\ansi a{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}b\\par}", u"ab"},
    {"{\\rtf1\\ansi a{\\v hid}b{\\*\\unknown zz}c{\\unknown2 yy}{\\footnote fn}\\par}",
     u"ahidbcyy"},
    {"{\\rtf1\\ansi a\\~b\\-c\\_d\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote"
     "\\rdblquote\\emspace\\enspace\\zwj\\zwnj\\ltrmark\\rtlmark e\\tab f\\|g\\:h\\par}",
     u"a\u00A0bc\u2011d\u2014\u2013\u2022\u2018\u2019\u201C\u201D  "
     u"\u200D\u200C\u200E\u200Fe\tfg:h"},
    {"{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset2 Symbol;}{\\f1 Tahoma;}}\\f0 Y\\'41\\f1 z\\par}",
     u"\uF059\uF041z"},
    {"{\\rtf1\\ansi{\\uc2 a\\u1078\\'3f\\'3fb}\\u1078?c\\u-4064?\\par}", u"aжbжc\uF020"},
    {"{\\rtf1\\ansi a\tb\r\nc\\\r\nd\\par}", u"a\tbc\rd"},
    {"{\\urtf1 \xd0\x96x\\par}", u"Жx"},
    {"{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset0 Tahoma;}{\\f1\\fcharset204 T;}}"
     "\\f0 \\'e9\\f1\\'e9\\par}",
     u"éй"},
    {"{\\rtf1\\ansi a{\\object\\objemb{\\*\\objclass X}{\\*\\objdata 01}{\\result res}}b\\par}",
     u"ares"},
    {"{\\rtf1\\ansi a\\chdate b{\\pntext 1.\\tab}{\\listtext 2.\\tab}c\\par}", u"ab2.\tc"},
    {"{\\rtf1\\ansi a\\u1078\\par b\\par} after", u"aж\rb"},
    {"{\\rtf1\\ansi\\trowd\\cellx1\\cellx2\\cellx3\\intbl a\\cell b\\row\\intbl c\\cell d\\cell "
     "e\\cell "
     "f\\row\\pard g}",
     u"\r\na\tb\t\t\r\n\r\nc\td\te\t\r\ng"},
    {"{\\rtf1\\ansi a{\\b b}", std::nullopt},
    {"{\\rtf1\\ansi a\\u65{b}c}", std::nullopt}, // the brace counts twice
    {"{\\rtf1\\ansi a\\'zz b}", std::nullopt},
};

} // namespace quivra::document::testing
