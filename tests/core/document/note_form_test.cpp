#include <gtest/gtest.h>

#include "document/note_form.h"

#include <string>

using namespace std::string_literals;
using namespace quivra::document;
using quivra::base::portableTextServices;

namespace {

const std::string kRtf =
    "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 Tahoma;}}\\f0 ab\\par abcd\\par}";

NoteForm decide(const std::string& bytes) {
    return decideNoteForm(bytes, portableTextServices());
}

} // namespace

TEST(NoteForm, RtfThatPassesTheGuardIsStreamedAsItIs) {
    for (const std::string& rtf : {kRtf, "{\\urtf1 \xD0\x96\\par}"s, "{\\rtf1 unclosed"s}) {
        const NoteForm form = decide(rtf);
        EXPECT_EQ(form.kind, NoteFormKind::Rtf) << rtf;
        EXPECT_TRUE(form.text.empty()) << rtf;
        EXPECT_EQ(form.load.bytes, rtf.size()) << rtf;
    }
    EXPECT_EQ(decide(kRtf).load, (LoadMeasure{kRtf.size(), 2, 4}));
}

TEST(NoteForm, PlainTextIsDecodedWithParagraphBreaksAndItsEncoding) {
    struct Case {
        const char* name;
        std::string bytes;
        PlainEncoding encoding;
    };
    const Case cases[] = {
        {"utf-16 LE", "\xFF\xFE\x1F\x04\r\0\n\0x\0\n\0"s, PlainEncoding::Utf16LittleEndian},
        {"utf-16 BE", "\xFE\xFF\x04\x1F\0\r\0\n\0x\0\n"s, PlainEncoding::Utf16BigEndian},
        {"utf-8", "\xEF\xBB\xBF\xD0\x9F\r\nx\n"s, PlainEncoding::Utf8},
        {"ansi 1251", "\xCF\r\nx\n"s, PlainEncoding::Ansi},
        {"RTF after a byte-order mark is text", "\xEF\xBB\xBF{\\rtf1 x}"s, PlainEncoding::Utf8},
    };
    for (const auto& c : cases) {
        const NoteForm form = decide(c.bytes);
        ASSERT_EQ(form.kind, NoteFormKind::PlainText) << c.name;
        EXPECT_EQ(form.encoding, c.encoding) << c.name;
        if (c.bytes.find('{') == std::string::npos) {
            EXPECT_EQ(form.text, u"П\rx\r") << c.name;
            EXPECT_EQ(form.load, (LoadMeasure{8, 2, 1})) << c.name;
        }
    }
    EXPECT_EQ(decide("").kind, NoteFormKind::PlainText);
}

TEST(NoteForm, RefusesRtfTheControlCannotSurviveAndBytesThatAreNotText) {
    struct Case {
        const char* name;
        std::string bytes;
        RtfHazard hazard;
    };
    const Case cases[] = {
        {"groups too deep", "{\\rtf1" + std::string(40, '{') + "x" + std::string(40, '}') + "}",
         RtfHazard::GroupsTooDeep},
        {"control word too long", "{\\rtf1\\" + std::string(300, 'a') + "}",
         RtfHazard::ControlWordTooLong},
        {"parameter too long", "{\\rtf1\\fs" + std::string(300, '1') + "}",
         RtfHazard::ParameterTooLong},
        {"binary", "\x89PNG\r\n\x1A\n\0\0\0\rIHDR"s, RtfHazard::None},
        {"utf-16 of an odd length", "\xFF\xFEo\0k"s, RtfHazard::None},
        {"utf-8 marked but malformed", "\xEF\xBB\xBF\xC3"s, RtfHazard::None},
    };
    for (const auto& c : cases) {
        const NoteForm form = decide(c.bytes);
        EXPECT_TRUE(form.refused()) << c.name;
        EXPECT_EQ(form.hazard, c.hazard) << c.name;
        EXPECT_EQ(form.refusal().text(), u"Failed to Load Stream") << c.name;
    }
}

TEST(NoteForm, RtfTheControlRejectsCanBeReadAsText) {
    const NoteForm form = plainNoteForm("{\\rtf1 a\r\nb", portableTextServices());
    ASSERT_EQ(form.kind, NoteFormKind::PlainText);
    EXPECT_EQ(form.text, u"{\\rtf1 a\rb");
    EXPECT_TRUE(plainNoteForm("{\\rtf1 a\0b"s, portableTextServices()).refused());
}

TEST(NoteForm, ContentTheProgramMadeIsCheckedAndMeasuredTheSameWay) {
    EXPECT_EQ(rtfNoteForm(kRtf).kind, NoteFormKind::Rtf);
    EXPECT_TRUE(rtfNoteForm("plain words").refused());
    EXPECT_TRUE(rtfNoteForm("{\\rtf1" + std::string(40, '{') + "}").refused());
    const NoteForm text = textNoteForm(u"a\r\nbb\nccc\r");
    EXPECT_EQ(text.text, u"a\rbb\rccc\r");
    EXPECT_EQ(text.load, (LoadMeasure{18, 3, 3}));
}
