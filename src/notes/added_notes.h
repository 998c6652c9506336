// Notes added in this session whose file is not written yet. The folder has
// nothing to show for them, yet they stay listed, whatever the folder shows
// meanwhile, until the user removes them or their file is written.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quivra::notes {

class AddedNotes {
  public:
    void added(const std::u16string& folder, const std::u16string& name);
    void renamed(const std::u16string& from, const std::u16string& to);
    // Removed by the user, or written: from now on its file speaks for it.
    void removed(const std::u16string& name);

    // Appends to listed the added names of folder it lacks. A name whose
    // file has appeared is no longer kept here: once written, a note
    // deleted outside leaves the list like any other. Names kept for
    // another folder are forgotten.
    void keepListed(const std::u16string& folder, std::vector<std::u16string>& listed,
                    const std::function<bool(const std::u16string&)>& hasFile);

  private:
    std::u16string folder_;
    std::vector<std::u16string> names_;
};

} // namespace quivra::notes
