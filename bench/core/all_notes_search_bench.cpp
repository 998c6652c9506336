// The search across all notes on 2,000 notes of 20 KB of RTF (40 MB): the
// first search, which reads every note; a search after one note changed,
// which looks at every file's size and time and reads that one; and a
// keystroke once the texts are read, which only searches them.
#include "search/all_notes_search.h"
#include "search/note_corpus.h"

#include "../common/note_corpus_files.h"
#include "common/crypto_cipher_text.h"
#include "common/test_code_pages.h"

#include <benchmark/benchmark.h>

#include <random>

using namespace quivra;
using namespace quivra::search;
namespace fs = std::filesystem;

namespace {

// The folder, written once for the run and removed at its end.
struct Corpus {
    Corpus() {
        std::random_device rd;
        folder = fs::temp_directory_path() / ("quivra-all-notes-" + std::to_string(rd()));
        bench::writeCorpus(folder);
        for (int i = 0; i < bench::kCorpusNotes; ++i) {
            const std::u16string name = bench::corpusNoteName(i);
            notes.push_back({name, (folder / (name + u".note")).u16string()});
        }
    }
    ~Corpus() {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
    fs::path folder;
    std::vector<ListedNote> notes;
    document::testing::TestCodePages pages;
    quivra::search::testing::CryptoCipherText cipher;
    NoteReading reading() const { return {pages, 1251}; }
};

Corpus& corpus() {
    static Corpus c;
    return c;
}

void BM_AllNotesFirstSearch(benchmark::State& state) {
    Corpus& c = corpus();
    const std::atomic<bool> stop{false};
    std::size_t hits = 0;
    for (auto _ : state) {
        NoteCorpus texts(diskNoteFiles(), c.reading(), c.cipher);
        texts.update(c.notes, stop);
        hits = searchAllNotes(texts, u"метка1999").hits.size();
    }
    state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK(BM_AllNotesFirstSearch)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_AllNotesSearchAfterOneNoteChanged(benchmark::State& state) {
    Corpus& c = corpus();
    const std::atomic<bool> stop{false};
    NoteCorpus texts(diskNoteFiles(), c.reading(), c.cipher);
    texts.update(c.notes, stop);
    int round = 0;
    std::size_t read = 0;
    for (auto _ : state) {
        state.PauseTiming(); // another program changes one note
        std::string changed = bench::corpusNote(7);
        changed.insert(changed.size() - 1, "\\par round " + std::to_string(++round) + "\\par");
        bench::writeCorpusNote(c.folder, 7, changed);
        state.ResumeTiming();
        read = texts.update(c.notes, stop);
        benchmark::DoNotOptimize(searchAllNotes(texts, u"round"));
    }
    state.counters["files read"] = static_cast<double>(read);
}
BENCHMARK(BM_AllNotesSearchAfterOneNoteChanged)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_AllNotesKeystroke(benchmark::State& state) {
    Corpus& c = corpus();
    const std::atomic<bool> stop{false};
    NoteCorpus texts(diskNoteFiles(), c.reading(), c.cipher);
    texts.update(c.notes, stop);
    const char16_t* const typed[] = {u"заметк", u"метка12", u"нет такого"};
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(searchAllNotes(texts, typed[i++ % 3]));
}
BENCHMARK(BM_AllNotesKeystroke)->Unit(benchmark::kMillisecond)->Iterations(30);

} // namespace
