// What the search across all notes needs of the rest of the window: the
// notes of the list, the switch to one of them, and where a note's text
// holds cipher text (answered from the thread that reads the notes). The
// main window answers, as it knows the other subsystems.
#pragma once

#include "search/note_corpus.h"

#include <string>
#include <vector>

namespace quivra::search {

class AllNotesLinks : public CipherText {
  public:
    // The names of the list, in its order.
    virtual std::vector<std::u16string> listedNames() const = 0;
    // The file of a note of that name.
    virtual std::u16string notePath(const std::u16string& name) const = 0;
    // Opens the note as choosing it in the list does: the note left is
    // saved as usual. False when it is no longer listed, or the user stayed
    // with the note left.
    virtual bool openListedNote(const std::u16string& name) = 0;

  protected:
    ~AllNotesLinks() = default;
};

} // namespace quivra::search
