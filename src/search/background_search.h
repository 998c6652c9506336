// The search across all notes in a thread of its own: reading two thousand
// note files takes a second or so, and a search over their texts some tens of
// milliseconds, so the search box hands each search here and never waits.
// Only the latest search asked for is answered: one asked for while another
// runs makes that one's results go unannounced.
#pragma once

#include "search/all_notes_search.h"
#include "search/note_corpus.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace quivra::search {

class BackgroundSearch {
  public:
    // `ready` runs in the search's thread whenever the results of the latest
    // search are there; it only tells the user-interface thread, which then
    // takes them.
    BackgroundSearch(const NoteFiles& files, NoteReading reading, const CipherText& cipher,
                     std::function<void()> ready);
    ~BackgroundSearch();
    BackgroundSearch(const BackgroundSearch&) = delete;
    BackgroundSearch& operator=(const BackgroundSearch&) = delete;

    // Searches the listed notes for the text. With `recheck`, every file's
    // size and last-write time are looked at first and the changed files
    // read again; without, only when the list is not the one of the search
    // before.
    void search(std::vector<ListedNote> notes, std::u16string text, bool recheck);
    // The results of the latest search, once, when they are there.
    std::optional<AllNotesResults> take();
    // Files read for the latest search (for the benchmark).
    std::size_t filesRead() const;

  private:
    struct Request {
        std::vector<ListedNote> notes;
        std::u16string text;
        bool recheck = false;
        unsigned long number = 0;
    };
    void work();

    NoteCorpus corpus_; // the search thread's alone
    std::function<void()> ready_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Request> asked_;
    unsigned long latest_ = 0;
    std::optional<AllNotesResults> answered_;
    std::size_t filesRead_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_; // last: starts once everything else is there
};

} // namespace quivra::search
