#include "notes/note_names.h"

#include "platform/text_services.h"

namespace quivra::notes {

bool isNoteFileName(std::u16string_view fileName) {
    return fileName.size() >= kNoteExtension.size() &&
           equalsIgnoreCase(fileName.substr(fileName.size() - kNoteExtension.size()),
                            kNoteExtension);
}

std::u16string noteNameFromFileName(std::u16string_view fileName) {
    return std::u16string(fileName.substr(0, fileName.size() - kNoteExtension.size()));
}

std::u16string notePath(std::u16string_view notesFolder, std::u16string_view name) {
    std::u16string path(notesFolder);
    path += u'\\';
    path += name;
    path += kNoteExtension;
    return path;
}

std::vector<std::u16string> enumerateNoteNames(const std::filesystem::path& folder) {
    std::vector<std::u16string> names;
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        if (it->is_directory(typeError))
            continue;
        const std::u16string file = it->path().filename().u16string();
        if (isNoteFileName(file))
            names.push_back(noteNameFromFileName(file));
    }
    return names;
}

} // namespace quivra::notes
