#include "search/background_search.h"

#include <utility>

namespace quivra::search {

BackgroundSearch::BackgroundSearch(const NoteFiles& files, NoteReading reading,
                                   const CipherText& cipher, std::function<void()> ready)
    : corpus_(files, reading, cipher), ready_(std::move(ready)), thread_([this] { work(); }) {}

BackgroundSearch::~BackgroundSearch() {
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void BackgroundSearch::search(std::vector<ListedNote> notes, std::u16string text, bool recheck) {
    {
        const std::lock_guard lock(mutex_);
        // A recheck asked for and not yet done is not lost to a later search.
        const bool pendingRecheck = asked_ && asked_->recheck;
        asked_ = Request{std::move(notes), std::move(text), recheck || pendingRecheck, ++latest_};
        answered_.reset();
    }
    wake_.notify_one();
}

std::optional<AllNotesResults> BackgroundSearch::take() {
    const std::lock_guard lock(mutex_);
    return std::exchange(answered_, std::nullopt);
}

std::size_t BackgroundSearch::filesRead() const {
    const std::lock_guard lock(mutex_);
    return filesRead_;
}

void BackgroundSearch::work() {
    std::vector<ListedNote> known; // the list the corpus holds
    bool everUpdated = false;
    for (;;) {
        Request request;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stop_ || asked_; });
            if (stop_)
                return;
            request = std::move(*asked_);
            asked_.reset();
        }
        std::size_t read = 0;
        if (request.recheck || !everUpdated || request.notes != known) {
            read = corpus_.update(request.notes, stop_);
            known = std::move(request.notes);
            everUpdated = true;
        }
        AllNotesResults results = searchAllNotes(corpus_, request.text);
        {
            const std::lock_guard lock(mutex_);
            filesRead_ = read;
            if (request.number != latest_)
                continue; // a later search is waiting
            answered_ = std::move(results);
        }
        ready_();
    }
}

} // namespace quivra::search
