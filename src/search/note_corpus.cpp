#include "search/note_corpus.h"

#include "base/atomic_file.h"
#include "base/text_services.h"
#include "document/note_form.h"

#include <algorithm>
#include <filesystem>
#include <unordered_set>

namespace quivra::search {

namespace fs = std::filesystem;

namespace {

class DiskNoteFiles final : public NoteFiles {
  public:
    base::FileStamp stamp(const std::u16string& path) const override {
        std::error_code ec;
        const fs::path file(path);
        if (!fs::is_regular_file(file, ec))
            return {};
        const auto size = fs::file_size(file, ec);
        if (ec)
            return {};
        const auto time = fs::last_write_time(file, ec);
        if (ec)
            return {};
        return {true, size, static_cast<std::int64_t>(time.time_since_epoch().count())};
    }

    std::optional<std::string> read(const std::u16string& path) const override {
        std::error_code ec;
        return base::readWholeFile(fs::path(path), ec);
    }
};

} // namespace

const NoteFiles& diskNoteFiles() {
    static const DiskNoteFiles files;
    return files;
}

std::optional<std::u16string> NoteReading::text(std::string_view bytes) const {
    return document::noteFileText(bytes, base::textServices(), codePages, systemCodePage);
}

std::u16string_view NoteContent::line(std::size_t index) const {
    const std::size_t start = lineStarts[index];
    const std::size_t end = index + 1 < lineStarts.size() ? lineStarts[index + 1] - 1 : text.size();
    return std::u16string_view(text).substr(start, end - start);
}

std::size_t NoteContent::lineOf(std::size_t position) const {
    const auto after = std::upper_bound(lineStarts.begin(), lineStarts.end(), position);
    return static_cast<std::size_t>(after - lineStarts.begin()) - 1;
}

NoteContent noteContent(std::u16string text, const CipherText& cipher) {
    NoteContent content;
    content.lineStarts.push_back(0);
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == u'\r')
            content.lineStarts.push_back(i + 1);
    content.lower = base::textServices().toLower(text);
    // Positions must stay the text's: a lower case of another length (no
    // simple case mapping gives one) leaves the text as it is.
    if (content.lower.size() != text.size())
        content.lower = text;
    // A search text never spans two lines nor reaches into cipher text.
    for (std::size_t start : content.lineStarts)
        if (start > 0)
            content.lower[start - 1] = kBlank;
    for (const TextSpan& span : cipher.cipherText(text))
        if (span.start < text.size())
            std::fill_n(content.lower.begin() + static_cast<std::ptrdiff_t>(span.start),
                        std::min(span.length, text.size() - span.start), kBlank);
    content.text = std::move(text);
    return content;
}

std::size_t NoteCorpus::update(const std::vector<ListedNote>& notes,
                               const std::atomic<bool>& stop) {
    notes_ = notes;
    std::unordered_set<std::u16string> listed;
    for (const ListedNote& note : notes_)
        listed.insert(note.path);
    std::erase_if(known_, [&](const auto& entry) { return !listed.contains(entry.first); });

    std::size_t read = 0;
    for (const ListedNote& note : notes_) {
        if (stop)
            break;
        // The stamp is taken before the bytes: a change while they are read
        // shows at the next update.
        const base::FileStamp stamp = files_.stamp(note.path);
        const auto it = known_.find(note.path);
        if (!stamp.exists) {
            if (it != known_.end())
                known_.erase(it);
            continue;
        }
        if (it != known_.end() && it->second.stamp == stamp)
            continue;
        const std::optional<std::string> bytes = files_.read(note.path);
        if (!bytes) { // tried again at the next update
            if (it != known_.end())
                known_.erase(it);
            continue;
        }
        ++read;
        // A file the editor would refuse has no text to find.
        std::optional<std::u16string> text = reading_.text(*bytes);
        known_[note.path] = {stamp,
                             noteContent(text ? std::move(*text) : std::u16string(), cipher_)};
    }
    return read;
}

} // namespace quivra::search
