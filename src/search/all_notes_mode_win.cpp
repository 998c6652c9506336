#include "search/all_notes_mode_win.h"

#include "document/code_pages_win.h"
#include "win/file_system_win.h"

#include <windows.h>

namespace quivra::search {

namespace {
// Posted to the box by the search's thread: results are there.
constexpr UINT kResultsReady = WM_APP + 21;

// The note files with the stamps the program's other file checks use: the
// standard library's last-write times come in whole seconds here, which
// would miss a note rewritten within a second at the same size.
class WindowsNoteFiles final : public NoteFiles {
  public:
    base::FileStamp stamp(const std::u16string& path) const override {
        return win::fileStamp(path);
    }
    std::optional<std::string> read(const std::u16string& path) const override {
        return diskNoteFiles().read(path);
    }
};

const NoteFiles& windowsNoteFiles() {
    static const WindowsNoteFiles files;
    return files;
}
} // namespace

void AllNotesMode::create(HWND box) {
    box_ = box;
    boxEvents_.attach(box, [this](UINT msg, WPARAM, LPARAM, const auto&) -> std::optional<LRESULT> {
        if (msg != kResultsReady)
            return std::nullopt;
        resultsReady();
        return 0;
    });
}

void AllNotesMode::enter() {
    if (active_)
        return;
    active_ = true;
    results_.clear();
    results_.setCaption(L"Во всех заметках (двойной щелчок - открыть заметку)");
}

void AllNotesMode::leave() {
    if (!active_)
        return;
    active_ = false;
    waiting_ = openWhenListed_ = false;
    hits_.clear();
    searched_.clear();
    results_.clear();
    results_.close();
    results_.setCaption(nullptr);
}

void AllNotesMode::textChanged(const std::u16string& text) {
    if (!isSearchText(text))
        return; // the results stay as they are
    if (!background_) {
        HWND box = box_;
        background_ = std::make_unique<BackgroundSearch>(
            windowsNoteFiles(), NoteReading{document::windowsCodePages(), GetACP()}, links_,
            [box] { PostMessageW(box, kResultsReady, 0, 0); });
    }
    searched_ = text;
    waiting_ = true;
    openWhenListed_ = false;
    // Every search looks at the files' stamps again (in the search's
    // thread): a note saved meanwhile, by this program or another, is read
    // anew, so no line is listed as it was before.
    background_->search(listedNotes(), text, true);
}

std::vector<ListedNote> AllNotesMode::listedNotes() const {
    std::vector<ListedNote> listed;
    for (std::u16string& name : links_.listedNames()) {
        std::u16string path = links_.notePath(name);
        listed.push_back({std::move(name), std::move(path)});
    }
    return listed;
}

void AllNotesMode::forgetResults() {
    hits_.clear();
    waiting_ = openWhenListed_ = false;
    results_.clear();
}

void AllNotesMode::resultsReady() {
    if (!background_ || !active_)
        return;
    std::optional<AllNotesResults> results = background_->take();
    if (!results)
        return; // a later search is on its way
    waiting_ = false;
    hits_ = std::move(results->hits);
    results_.fill(std::move(results->lines));
    if (!results_.isOpen())
        results_.open();
    if (std::exchange(openWhenListed_, false) && !hits_.empty())
        open(hits_.front());
}

void AllNotesMode::openFirst() {
    if (waiting_) {
        openWhenListed_ = true;
        return;
    }
    if (!hits_.empty())
        open(hits_.front());
}

void AllNotesMode::openAtCaret() {
    const std::size_t line = results_.caretLineIndex();
    if (line < hits_.size())
        open(hits_[line]); // the line telling how many more opens nothing
}

void AllNotesMode::open(const NoteHit& hit) {
    const NoteHit chosen = hit; // the switch may list results anew
    const std::u16string searched = searched_;
    if (!links_.openListedNote(chosen.note))
        return;
    if (note_.enabled()) {
        if (const auto selection = hitInNote(NoteText(note_.text()), chosen, searched))
            note_.setSelection({selection->start, selection->start + selection->length});
        note_.focus();
    }
    // Switching notes closed the results area; these results belong to no
    // note, so they stay in sight for the next one.
    results_.open();
}

} // namespace quivra::search
