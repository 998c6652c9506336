// The search across all notes: every line of every note that holds the
// search text, ignoring case as the in-note search does, listed as
// "<note name>: <n> <line text>" with the line numbered as the in-note search
// numbers it, notes in list order. At most 1,000 lines are listed, and then
// one more says how many further lines hold the text.
#pragma once

#include "search/note_corpus.h"
#include "search/note_text.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::search {

inline constexpr std::size_t kMostListedHits = 1000;

// A listed line: the note, the line's number (from 1) and where the text
// starts in it.
struct NoteHit {
    std::u16string note;
    long line = 0;
    std::size_t column = 0;
    friend bool operator==(const NoteHit&, const NoteHit&) = default;
};

struct AllNotesResults {
    // The result view's lines: one per hit, then, when more lines hold the
    // text than are listed, the line that says how many.
    std::vector<std::u16string> lines;
    std::vector<NoteHit> hits;
    std::size_t more = 0;
};

AllNotesResults searchAllNotes(const NoteCorpus& corpus, std::u16string_view text,
                               std::size_t limit = kMostListedHits);

// "<note>: <n> <text>".
std::u16string hitLine(std::u16string_view note, long line, std::u16string_view text);
// "… и ещё N совпадений", the noun agreeing with N.
std::u16string moreHitsLine(std::size_t more);

// The hit in the note once it is open: the text at the hit's place in its
// line when it is still there, else its first occurrence in that line, else
// in the whole note (the file changed since it was read); none when the note
// no longer holds it.
std::optional<Selection> hitInNote(const NoteText& note, const NoteHit& hit,
                                   std::u16string_view text);

} // namespace quivra::search
