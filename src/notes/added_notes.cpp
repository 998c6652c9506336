#include "notes/added_notes.h"

#include "base/text_services.h"

#include <algorithm>

namespace quivra::notes {

namespace {

bool sameName(const std::u16string& a, const std::u16string& b) {
    return base::textServices().compareIgnoreCase(a, b) == 0;
}

auto named(const std::u16string& name) {
    return [&name](const std::u16string& n) { return sameName(n, name); };
}

} // namespace

void AddedNotes::added(const std::u16string& folder, const std::u16string& name) {
    if (!sameName(folder, folder_)) {
        folder_ = folder;
        names_.clear();
    }
    if (std::none_of(names_.begin(), names_.end(), named(name)))
        names_.push_back(name);
}

void AddedNotes::renamed(const std::u16string& from, const std::u16string& to) {
    const auto at = std::find_if(names_.begin(), names_.end(), named(from));
    if (at != names_.end())
        *at = to;
}

void AddedNotes::removed(const std::u16string& name) {
    std::erase_if(names_, named(name));
}

void AddedNotes::keepListed(const std::u16string& folder, std::vector<std::u16string>& listed,
                            const std::function<bool(const std::u16string&)>& hasFile) {
    if (!sameName(folder, folder_)) {
        names_.clear();
        return;
    }
    std::erase_if(names_, hasFile);
    for (const auto& name : names_)
        if (std::none_of(listed.begin(), listed.end(), named(name)))
            listed.push_back(name);
}

} // namespace quivra::notes
