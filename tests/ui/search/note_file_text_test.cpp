// A note's text read from its file without the editor has the lines the
// editor shows for it, so the search across all notes numbers a line as the
// in-note search does: real notes, notes the program saved, and hostile
// notes the guard lets through, each loaded into the real control.
#include "document/rich_edit_host.h"

#include "base/errors.h"
#include "common/hostile_notes.h"
#include "common/rtf_text_samples.h"
#include "document/code_pages_win.h"
#include "document/note_form.h"
#include "document/text_lines.h"

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace quivra;
using namespace quivra::document;
using quivra::document::test::RichEditTest;

namespace {

std::string readData(const char* name) {
    std::ifstream in(std::filesystem::path(QUIVRA_TEST_DATA) / name, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string shown(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char hex[12];
            std::snprintf(hex, sizeof hex, "<%04X>", static_cast<unsigned>(c));
            out += hex;
        }
    }
    return out;
}

enum class Agreement { Refused, Same, Differs };

class NoteFileText : public RichEditTest {
  protected:
    // The lines of the file's text against the lines the editor shows: the
    // same number, each the same text (of a note with a picture, whose data
    // random bytes may or may not make one the control shows as a space,
    // only the number). With `expect`, a difference fails the test.
    Agreement compare(const std::string& bytes, const std::string& where, bool expect) {
        try {
            edit.loadFileBytes(bytes);
        } catch (const base::UserError&) {
            return Agreement::Refused;
        }
        const auto read = noteFileText(bytes, base::textServices(), windowsCodePages(), GetACP());
        const auto editorLines = splitLines(edit.text());
        const auto fileLines = splitLines(read.value_or(u"<none>"));
        bool same = fileLines.size() == editorLines.size();
        if (same && bytes.find("\\pict") == std::string::npos)
            same = fileLines == editorLines;
        if (expect) {
            EXPECT_TRUE(same) << where << "\n"
                              << shown(edit.text()) << "\n"
                              << shown(read.value_or(u"<none>"));
        }
        return same ? Agreement::Same : Agreement::Differs;
    }
};

} // namespace

TEST_F(NoteFileText, HasTheLinesOfRealNotesAndSamples) {
    for (const char* name : {"richedit-style.rtf", "tables-nested.rtf",
                             "tables-as-wine-writes-them.rtf", "word-style.rtf"})
        EXPECT_EQ(compare(readData(name), name, true), Agreement::Same);
    for (const auto& sample : quivra::document::testing::kRtfTextSamples)
        compare(sample.rtf, sample.rtf, true);
}

// Hostile notes are made of pieces of real notes and random markup. The
// control builds tables by rules of its own, some of which markup made of
// random pieces reaches and the reading here does not follow, and random
// picture data may or may not be one it shows: nearly all agree, not all.
TEST_F(NoteFileText, HasTheLinesOfNearlyAllHostileNotes) {
    std::vector<std::string> samples;
    for (const char* name : {"richedit-style.rtf", "tables-nested.rtf",
                             "tables-as-wine-writes-them.rtf", "word-style.rtf"})
        samples.push_back(readData(name));
    HostileNotes notes(606, samples);
    int same[2] = {}, differ[2] = {};
    for (int i = 0; i < 1000; ++i) {
        const HostileNote note = notes.next();
        const bool table = note.bytes.find("\\intbl") != std::string::npos ||
                           note.bytes.find("\\cell") != std::string::npos ||
                           note.bytes.find("\\row") != std::string::npos ||
                           note.bytes.find("\\itap") != std::string::npos;
        switch (compare(note.bytes, note.kind, false)) {
        case Agreement::Same:
            ++same[table];
            break;
        case Agreement::Differs:
            ++differ[table];
            break;
        case Agreement::Refused:
            break;
        }
    }
    std::printf("without tables: %d agree, %d differ; with tables: %d agree, %d differ\n", same[0],
                differ[0], same[1], differ[1]);
    EXPECT_GE(same[0], 99 * (same[0] + differ[0]) / 100);
    EXPECT_GE(same[1], 95 * (same[1] + differ[1]) / 100);
}
