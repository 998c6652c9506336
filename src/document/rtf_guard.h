// Checks an RTF document before the rich-edit control reads it. The control's
// reader (riched20 as Wine 8 ships it) keeps fixed-size buffers and a fixed
// stack of group states and does not check their bounds, so some documents
// crash it (a page fault or an assertion in the middle of the load) or keep
// it busy for minutes. Measured under Wine with a probe that streams crafted
// documents into the control, each in a fresh process:
// - groups: 32 open at once load, 33 crash (the stack holds 32 states);
// - a control word of 1,030 letters, or a parameter of 1,030 digits, loads;
//   1,100 crash (a token is collected into a 1,024-byte buffer);
// - a font or style name of 1,030 characters loads, 1,100 crash (the same
//   buffer, on the stack); a name is the text between control words, groups
//   and ';' anywhere after \fonttbl or \stylesheet, line breaks and NULs not
//   counting;
// - \itapN opens N nested tables at once: 10,000 take 13 s, 100,000 more
//   than a minute;
// - table markup the reader trusts: rows ended with more cells than \cellx
//   defined, or with a nested table after the last defined cell, or carried
//   on over text after the previous row, fail an assertion or hang (see
//   document/rtf_table_model.h);
// - after \uN the reader drops \uc text characters as the fallback; a brace
//   or control word met first is read a second time, so "\u65{" opens two
//   groups and "\u65\cell" ends two cells.
// Fuzzing with seeded hostile notes (tests/common/hostile_notes.h) found the rules
// for tables and \u; of 20,000 notes generated since, the check passed
// 14,044, and none of those crashed or hung the control.
// The reader normally stops at a bad \'hh escape and at the brace that
// closes the outermost group, but a font table reader that meets either
// reads on ("{\rtf1\fonttbl{}}..." goes on after its last brace), and a
// font table entry without its braces ends the table early, so the check
// reads every byte and takes nothing in a font table for skipped. A NUL byte
// is skipped, not an end. The limits below keep a wide margin under each
// threshold and far above anything a real document holds.
#pragma once

#include "document/rtf_lexer.h"

#include <cstddef>
#include <string_view>

namespace quivra::document {

struct RtfLimits {
    int groupDepth = 30;
    RtfLexerOptions tokens{.controlWordLetters = 255, .parameterDigits = 255};
    std::size_t nameLength = 255;
    long tableNesting = 100;
};

enum class RtfHazard {
    None,
    GroupsTooDeep,
    ControlWordTooLong,
    ParameterTooLong,
    NameTooLong,
    TablesTooDeep,
    BadTable,
};

struct RtfScan {
    RtfHazard hazard = RtfHazard::None;
    // Where the hazard starts.
    std::size_t offset = 0;
    // Paragraph breaks the document makes (\par, \line, \row, \cell, ...),
    // for telling how long the control will take over it.
    std::size_t paragraphs = 0;
    // Characters of the longest paragraph, for telling how long wrapping it
    // takes.
    std::size_t longestParagraph = 0;
    bool safe() const noexcept { return hazard == RtfHazard::None; }
};

// Whether the control reads these bytes as RTF at all: it looks only at the
// first bytes, "{\rtf" or "{\urtf". Other bytes are refused before parsing.
bool startsAsRtf(std::string_view bytes) noexcept;

// Scans the document as the control's reader tokenizes it and reports the
// first hazard. Bytes that do not start as RTF give a safe, empty scan.
RtfScan scanRtf(std::string_view document, const RtfLimits& limits = {});

} // namespace quivra::document
