#include "notes/note_names.h"

#include "base/text_services.h"

#include <algorithm>

namespace quivra::notes {

bool isNoteFileName(std::u16string_view fileName) {
    return fileName.size() >= kNoteExtension.size() &&
           base::equalsIgnoreCase(fileName.substr(fileName.size() - kNoteExtension.size()),
                                  kNoteExtension);
}

bool isReservedDeviceName(std::u16string_view noteName) {
    // The system looks at the part before the first dot, less trailing
    // blanks.
    auto base = noteName.substr(0, noteName.find(u'.'));
    while (!base.empty() && base.back() == u' ')
        base.remove_suffix(1);
    std::u16string upper;
    for (char16_t c : base)
        upper.push_back(c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c);
    if (upper == u"CON" || upper == u"PRN" || upper == u"AUX" || upper == u"NUL" ||
        upper == u"CONIN$" || upper == u"CONOUT$")
        return true;
    if (upper.size() != 4 || (upper.substr(0, 3) != u"COM" && upper.substr(0, 3) != u"LPT"))
        return false;
    const char16_t digit = upper[3];
    return (digit >= u'1' && digit <= u'9') || digit == u'\u00B9' || digit == u'\u00B2' ||
           digit == u'\u00B3';
}

bool isNoteNameForAFile(std::u16string_view name) {
    if (name.empty() || name == u"." || name == u".." || name.back() == u'.' ||
        name.back() == u' ' || isReservedDeviceName(name))
        return false;
    return std::none_of(name.begin(), name.end(), [](char16_t c) {
        return c < 0x20 || std::u16string_view(u"\\/:*?\"<>|").find(c) != std::u16string_view::npos;
    });
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

std::optional<std::u16string> listedNoteName(std::u16string_view fileName) {
    if (!isNoteFileName(fileName))
        return std::nullopt;
    auto name = noteNameFromFileName(fileName);
    if (isReservedDeviceName(name))
        return std::nullopt;
    return name;
}

} // namespace quivra::notes
