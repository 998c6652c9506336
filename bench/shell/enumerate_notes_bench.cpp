// Listing a big notes folder: notes::findNoteNames on 5,000 notes, and
// the start of the main window with those notes against the start with an
// empty folder; the difference is what the note lists cost at start-up
// (reading the names and filling the three lists).
#include "in_process.h"

#include "notes/note_folder_win.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace quivra;
using namespace quivra::bench;

namespace {

constexpr int kNotes = 5000;
constexpr int kListings = 5;
constexpr int kStarts = 3;

// Half the names Russian, half English, as the lists of a real user mix them.
std::wstring noteName(int i) {
    wchar_t number[16];
    std::swprintf(number, std::size(number), L"%04d", i);
    return (i % 2 ? L"Заметка " : L"note ") + std::wstring(number);
}

// The start-up time of the main window in this folder; negative when it did
// not start. The window is closed again before the next start.
double timeStart(const BenchProgramFolder& folder, long& listed) {
    Stopwatch clock;
    auto form = folder.start();
    const double ms = clock.ms();
    if (!form)
        return -1;
    listed = static_cast<long>(SendMessageW(form->notes().lists().namesList(), CB_GETCOUNT, 0, 0));
    form.reset();
    pumpMessages();
    return ms;
}

} // namespace

int wmain() {
    plainNewlines();
    prepareProcess();
    BenchProgramFolder many(L"quivra-enum");
    BenchProgramFolder none(L"quivra-enum");

    Stopwatch writing;
    for (int i = 0; i < kNotes; ++i)
        writeFile(many.notesFolder() / (noteName(i) + L".note"), "{\\rtf1\\ansi x\\par}");
    const double writeMs = writing.ms();

    std::vector<double> listings;
    size_t names = 0;
    const std::u16string folder = many.notesFolder().u16string();
    for (int i = 0; i < kListings; ++i) {
        Stopwatch clock;
        names = notes::findNoteNames(folder).size();
        listings.push_back(clock.ms());
    }

    // The first start in a folder writes its settings file; time later ones.
    std::vector<double> withNotes, empty;
    long listedMany = 0, listedNone = 0;
    if (timeStart(many, listedMany) < 0 || timeStart(none, listedNone) < 0)
        return 1;
    for (int i = 0; i < kStarts; ++i) {
        const double a = timeStart(many, listedMany);
        const double b = timeStart(none, listedNone);
        if (a < 0 || b < 0)
            return 1;
        withNotes.push_back(a);
        empty.push_back(b);
    }

    std::printf("Listing a notes folder of %d notes (written in %.0f ms):\n", kNotes, writeMs);
    std::printf("  %-38s median %7.1f ms   first %7.1f ms   (%d runs, %zu names)\n",
                "notes::findNoteNames (the program's)", median(listings), listings.front(),
                kListings, names);
    char label[64];
    std::snprintf(label, sizeof label, "main window start, %d notes", kNotes);
    std::printf("  %-38s median %7.1f ms   (%s; %ld listed)\n", label, median(withNotes),
                listed(withNotes).c_str(), listedMany);
    std::printf("  %-38s median %7.1f ms   (%s)\n", "main window start, no notes", median(empty),
                listed(empty).c_str());
    std::printf("  %-38s        %7.1f ms\n", "the note lists at start (difference)",
                median(withNotes) - median(empty));
    if (answeredBoxes())
        std::printf("  (%d message boxes were answered during the run)\n", answeredBoxes());
    std::fflush(stdout);
    const bool complete =
        names == static_cast<size_t>(kNotes) && listedMany == kNotes && listedNone == 0;
    if (!complete)
        std::printf("  the folder's notes were not all listed\n");
    return complete ? 0 : 1;
}
