// The texts of all notes for the search across them, read from the note
// files (never from the editor, so a decrypted view is never searched) and
// kept with each file's size and last-write time: a later search reads only
// the files that changed. Each text is kept twice: as the editor shows it,
// for the listed lines, and in lower case with its cipher text blanked out,
// for the matching.
#pragma once

#include "base/file_stamp.h"
#include "base/text_range.h"
#include "document/rtf_output.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quivra::search {

// The note files as the corpus reads them.
class NoteFiles {
  public:
    virtual ~NoteFiles() = default;
    // Not existing when there is no such file (a note added and never
    // written) or it cannot be asked.
    virtual base::FileStamp stamp(const std::u16string& path) const = 0;
    // None when the file cannot be read (gone meanwhile, locked).
    virtual std::optional<std::string> read(const std::u16string& path) const = 0;
};

// The files through the standard library (any path, also on Windows).
const NoteFiles& diskNoteFiles();

// A stretch of a note's text.
using TextSpan = base::TextRange;

// How the bytes of a note file become text: as the editor would show them
// ('\r' between paragraphs), RTF read without the editor and plain text
// decoded as the loader decodes it; none for a file the loader refuses.
struct NoteReading {
    const document::CodePages& codePages;
    unsigned systemCodePage; // the system's ANSI code page
    std::optional<std::u16string> text(std::string_view bytes) const;
};

// Where a note's text holds cipher text. Asked from the thread that reads the
// notes: the answer depends on the text alone.
class CipherText {
  public:
    // The stretches of cipher text, in order.
    virtual std::vector<TextSpan> cipherText(std::u16string_view text) const = 0;

  protected:
    ~CipherText() = default;
};

// A note of the list: its name as listed and its file.
struct ListedNote {
    std::u16string name;
    std::u16string path;
    friend bool operator==(const ListedNote&, const ListedNote&) = default;
};

// One note's text as the search uses it; the lower case is the locale's
// (textServices().toLower), as the in-note search takes it.
struct NoteContent {
    std::u16string text;                 // as the editor shows it
    std::u16string lower;                // as long as text; cipher text and breaks blanked
    std::vector<std::size_t> lineStarts; // where each line of text starts
    std::u16string_view line(std::size_t index) const; // from 0, without its break
    std::size_t lineOf(std::size_t position) const;    // from 0
};

// Blanks in the lower-case text: what no search text holds.
inline constexpr char16_t kBlank = 0xFFFF;

NoteContent noteContent(std::u16string text, const CipherText& cipher);

class NoteCorpus {
  public:
    NoteCorpus(const NoteFiles& files, NoteReading reading, const CipherText& cipher)
        : files_(files), reading_(reading), cipher_(cipher) {}

    // Takes the list and reads each listed note whose file is new or
    // changed since it was read; notes no longer listed are forgotten.
    // Stops early, leaving the rest for the next update, when `stop` turns
    // true. Returns how many files were read.
    std::size_t update(const std::vector<ListedNote>& notes, const std::atomic<bool>& stop);

    // The notes in list order with their contents (null for a note without
    // a readable file).
    template <class F> void forEach(F&& visit) const {
        for (const ListedNote& note : notes_) {
            const auto it = known_.find(note.path);
            visit(note, it == known_.end() ? nullptr : &it->second.content);
        }
    }

  private:
    struct Known {
        base::FileStamp stamp;
        NoteContent content;
    };

    const NoteFiles& files_;
    NoteReading reading_;
    const CipherText& cipher_;
    std::vector<ListedNote> notes_;
    std::unordered_map<std::u16string, Known> known_; // by path
};

} // namespace quivra::search
